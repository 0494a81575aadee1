#pragma once
// What the history views tell the main window.
#include <windows.h>

enum : UINT {
  // Sent (not posted) by the clip window when it goes away, by any path.
  WM_CLIP_WINDOW_CLOSED = 0x7EA,
  // Posted to the main window: a closed clip window may be deleted once the
  // message or command that closed it has returned. A window closed under its
  // own box or dialog posts it again when that has returned.
  WM_DELETE_CLOSED_CLIP_WINDOW = 0x7ED,
};
