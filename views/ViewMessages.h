#pragma once
// What the history views tell the main window.
#include <windows.h>

enum : UINT {
  // Sent (not posted) by the clip window when it goes away, by any path.
  WM_CLIP_WINDOW_CLOSED = 0x7EA,
};
