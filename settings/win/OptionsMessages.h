#pragma once
// What the options dialog tells the main window.
#include <windows.h>

enum : UINT {
  // Posted after OK has written the options: the history takes its new limits.
  WM_OPTIONS_CHANGED = 0x7EB,
};
