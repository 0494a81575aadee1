#pragma once
// The main window's private messages. The hotkey command ids double as the
// names of the stored hotkey values, so they never change.
#include <windows.h>

enum : UINT {
  WM_SHOW_MAIN_WINDOW = 0x401,  // also what a second start posts
  WM_SHOW_CLIP_WINDOW = 0x402,
  WM_RESET_CLIPBOARD_VIEWER = 0x4CA,

  WM_TRAY_NOTIFY = 0x7E9,
  WM_CLIP_WINDOW_CLOSED = 0x7EA,
  WM_OPTIONS_CHANGED = 0x7EB,
  WM_HISTORY_CHANGED = 0x7EC,
};

// The title of the main window's hidden child, by which a second start
// recognises a running instance.
#define TANSEL_IDENTITY_GUID L"{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}"
