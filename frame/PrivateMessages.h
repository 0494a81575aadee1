#pragma once
// The main window's private messages. The hotkey command ids double as the
// names of the stored hotkey values, so they never change.
#include <windows.h>

#include "settings/win/OptionsMessages.h"
#include "views/ViewMessages.h"

enum : UINT {
  // Window commands (hotkey group "View").
  WM_SHOW_MAIN_WINDOW = 0x401,  // also what a second start posts
  WM_SHOW_CLIP_WINDOW = 0x402,
  // Commands on the newest item and the stamps (group "Edit").
  WM_REVERT_FIRST_ITEMS = 0x465,
  WM_UPPERCASE_FIRST_ITEM = 0x466,
  WM_LOWERCASE_FIRST_ITEM = 0x467,
  WM_MAKE_OBJECT_FIRST_ITEM = 0x468,
  WM_CONVERT_TO_ID_FIRST_ITEM = 0x469,
  WM_CONVERT_FROM_ID_FIRST_ITEM = 0x46A,
  WM_INSERT_DATE_TIME_FIRST = 0x46B,  // ten ids, one per format, in the formats' order
  WM_INSERT_DATE_TIME_LAST = 0x474,
  WM_PREVIEW_FIRST_ITEM = 0x475,
  WM_EDIT_FIRST_ITEM = 0x476,
  WM_BOOKMARK_FIRST_ITEM = 0x477,
  WM_ACTIVATE_FIRST_BOOKMARK = 0x478,
  WM_TITLE_FIRST_ITEM = 0x479,
  // Option commands (group "Options").
  WM_PASTE_ACTIVATED_ITEM = 0x4C9,
  WM_RESET_CLIPBOARD_VIEWER = 0x4CA,

  // Notices; WM_CLIP_WINDOW_CLOSED (0x7EA) comes from the clip window,
  // WM_OPTIONS_CHANGED (0x7EB) from the options dialog.
  WM_TRAY_NOTIFY = 0x7E9,
  WM_HISTORY_CHANGED = 0x7EC,
  // WM_DELETE_CLOSED_CLIP_WINDOW (0x7ED) is the frame's and the clip window's.
};

// The title of the main window's hidden child, by which a second start
// recognises a running instance.
#define TANSEL_IDENTITY_GUID L"{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}"
