#pragma once
// A menu loaded from a resource, destroyed with its owner object (a menu
// that a window carries as its menu bar is destroyed by the window instead:
// hand it over with Release()). Popups are borrowed handles.
#include <windows.h>

#include "ui/Handles.h"

class CMenu {
 public:
  CMenu() = default;
  bool Load(UINT menuId);
  HMENU Get() const { return m_menu.Get(); }
  HMENU Release() { return m_menu.Release(); }
  // The popup at a position of the bar; belongs to this menu.
  HMENU GetSubMenu(int position) const;

  // Items of any menu, found by command id, also inside popups.
  static void CheckItem(HMENU menu, UINT id, bool checked);
  static void EnableItem(HMENU menu, UINT id, bool enabled);
  static bool IsItemChecked(HMENU menu, UINT id);
  static bool IsItemEnabled(HMENU menu, UINT id);

  // Shows a popup with its top-left corner at a point in screen coordinates
  // and tracks the left button. The chosen command reaches owner as
  // WM_COMMAND, or is returned when flags has TPM_RETURNCMD (0 for none).
  static UINT TrackPopup(HMENU popup, HWND owner, POINT screenPoint, UINT flags = 0);

 private:
  CMenuHandle m_menu;
};
