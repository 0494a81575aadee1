// Menus from the test resource: popups, check marks, enabling, tracking.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "TestResource.h"
#include "TestSupport.h"
#include "ui/Menu.h"

namespace {

TEST(MenuTest, LoadsPopupsByPosition) {
  CMenu menu;
  ASSERT_TRUE(menu.Load(IDM_TEST));
  const int counts[] = {4, 1, 1};  // Item, Multi, None
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(menu.GetSubMenu(i), nullptr);
    EXPECT_EQ(::GetMenuItemCount(menu.GetSubMenu(i)), counts[i]);
  }
  EXPECT_EQ(menu.GetSubMenu(3), nullptr);
  EXPECT_EQ(::GetMenuItemID(menu.GetSubMenu(1), 0), UINT(ID_TEST_OTHER));
}

TEST(MenuTest, MissingResourceLoadsNothing) {
  CMenu menu;
  EXPECT_FALSE(menu.Load(IDD_MISSING));
  EXPECT_EQ(menu.GetSubMenu(0), nullptr);
}

TEST(MenuTest, ChecksAndEnablesItemsByCommandAlsoInNestedPopups) {
  CMenu menu;
  ASSERT_TRUE(menu.Load(IDM_TEST));
  for (UINT id : {UINT(ID_TEST_FIRST), UINT(ID_TEST_NESTED)}) {
    EXPECT_FALSE(CMenu::IsItemChecked(menu.Get(), id));
    CMenu::CheckItem(menu.Get(), id, true);
    EXPECT_TRUE(CMenu::IsItemChecked(menu.Get(), id));
    CMenu::CheckItem(menu.Get(), id, false);
    EXPECT_FALSE(CMenu::IsItemChecked(menu.Get(), id));

    EXPECT_TRUE(CMenu::IsItemEnabled(menu.Get(), id));
    CMenu::EnableItem(menu.Get(), id, false);
    EXPECT_FALSE(CMenu::IsItemEnabled(menu.Get(), id));
    CMenu::EnableItem(menu.Get(), id, true);
    EXPECT_TRUE(CMenu::IsItemEnabled(menu.Get(), id));
  }
  EXPECT_FALSE(CMenu::IsItemEnabled(menu.Get(), 12345));  // no such item
}

TEST(MenuTest, MenuIsDestroyedWithItsOwnerUnlessHandedOver) {
  HMENU hOwned, hHandedOver;
  {
    CMenu owned, handedOver;
    ASSERT_TRUE(owned.Load(IDM_TEST));
    ASSERT_TRUE(handedOver.Load(IDM_TEST));
    hOwned = owned.Get();
    hHandedOver = handedOver.Release();
    EXPECT_EQ(handedOver.Get(), nullptr);
  }
  EXPECT_FALSE(::IsMenu(hOwned));
  EXPECT_TRUE(::IsMenu(hHandedOver));
  ::DestroyMenu(hHandedOver);
}

// Records the commands it receives.
class CCommandWindow : public CWindow {
 public:
  std::vector<UINT> m_commands;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) {
      m_commands.push_back(LOWORD(wParam));
      return 0;
    }
    return Default(message, wParam, lParam);
  }
};

// The menu loop takes queued keys: posted before tracking starts, they pick
// an item as the user would.
TEST(MenuTest, TrackedPopupDeliversTheChosenCommand) {
  CMenu menu;
  ASSERT_TRUE(menu.Load(IDM_TEST));
  CCommandWindow owner;
  ASSERT_TRUE(owner.Create(TestWindowClass(), L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                           100, 100, 200, 200));
  ::SetForegroundWindow(owner.Handle());

  // Down twice skips the separator: the second item.
  owner.Post(WM_KEYDOWN, VK_DOWN);
  owner.Post(WM_KEYDOWN, VK_DOWN);
  owner.Post(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(CMenu::TrackPopup(menu.GetSubMenu(0), owner.Handle(), POINT{150, 150}, TPM_RETURNCMD),
            UINT(ID_TEST_SECOND));
  EXPECT_TRUE(owner.m_commands.empty());

  owner.Post(WM_KEYDOWN, VK_DOWN);
  owner.Post(WM_KEYDOWN, VK_RETURN);
  CMenu::TrackPopup(menu.GetSubMenu(1), owner.Handle(), POINT{150, 150});
  EXPECT_TRUE(WaitFor([&] { return !owner.m_commands.empty(); }));
  EXPECT_EQ(owner.m_commands, std::vector<UINT>{ID_TEST_OTHER});

  owner.Post(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(CMenu::TrackPopup(menu.GetSubMenu(2), owner.Handle(), POINT{150, 150}, TPM_RETURNCMD),
            0u);
}

}  // namespace
