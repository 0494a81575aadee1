// Menus from the test resource: check marks and enabling by command id.
// Catches: menu items checked or enabled by the wrong id.
#include <windows.h>
#include <gtest/gtest.h>

#include "TestResource.h"
#include "ui/Menu.h"

namespace {

TEST(MenuTest, ChecksAndEnablesItemsByCommandAlsoInNestedPopups) {
  CMenu menu;
  ASSERT_TRUE(menu.Load(IDM_TEST));
  const HMENU hMenu = menu.Get();
  for (UINT id : {UINT(ID_TEST_FIRST), UINT(ID_TEST_NESTED)}) {
    for (bool on : {true, false}) {
      CMenu::CheckItem(hMenu, id, on);
      EXPECT_EQ(CMenu::IsItemChecked(hMenu, id), on) << id;
      CMenu::EnableItem(hMenu, id, on);
      EXPECT_EQ(CMenu::IsItemEnabled(hMenu, id), on) << id;
    }
  }
  // No such item: the state the system reports for it has every bit set.
  EXPECT_FALSE(CMenu::IsItemChecked(hMenu, 12345));
  EXPECT_FALSE(CMenu::IsItemEnabled(hMenu, 12345));
}

}  // namespace
