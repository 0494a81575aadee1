// The control wrappers where the program's own menus and dialogs never take
// them: a menu item that is not there, a drop-down list with no selection.
// Catches: a missing menu item reported checked; a list without a selection read as its first
// entry.
#include <windows.h>
#include <gtest/gtest.h>

#include "ui/ComboBox.h"
#include "ui/Menu.h"

namespace {

TEST(ControlsTest, AMissingItemIsNotCheckedAndNoSelectionIsNone) {
  // The state the system reports for a missing item has every bit set.
  const HMENU hMenu = ::CreatePopupMenu();
  EXPECT_FALSE(CMenu::IsItemChecked(hMenu, 12345));
  ::DestroyMenu(hMenu);

  const HWND hList = ::CreateWindowExW(0, L"COMBOBOX", L"", CBS_DROPDOWNLIST, 0, 0, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr);
  CComboBox combo(hList);
  ASSERT_EQ(combo.AddString(L"key", 'A'), 0);
  EXPECT_EQ(combo.GetCurSel(), -1);
  ::DestroyWindow(hList);
}

}  // namespace
