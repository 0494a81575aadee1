// The list-view wrapper on a real report-mode list inside a test window, and
// menus from the test resource.
// Catches: list-view calls that select, read, hit-test or hand over image lists wrongly; menu
// items checked or enabled by the wrong id.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "TestResource.h"
#include "tests/support/WinTestSupport.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Menu.h"
#include "ui/Window.h"

namespace {

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CListView::InitCommonControls());
    ASSERT_TRUE(
        m_parent.Create(TestWindowClass(), L"list", WS_OVERLAPPEDWINDOW, 0, 0, 0, 400, 300));
    CreateList(0);
  }
  // Three columns and three rows.
  void CreateList(DWORD extraStyle) {
    if (m_list.Handle()) ::DestroyWindow(m_list.Handle());
    const RECT rect = {0, 0, 300, 120};
    ASSERT_TRUE(m_list.Create(m_parent.Handle(), 1000, WS_VISIBLE | LVS_REPORT | extraStyle, rect));
    m_list.InsertColumn(0, L"", LVCFMT_LEFT, 0);
    m_list.InsertColumn(1, L"No", LVCFMT_RIGHT, 45);
    m_list.InsertColumn(2, L"Text", LVCFMT_LEFT, 200);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(m_list.InsertItem(i, L"row"), i);
  }

  CWindow m_parent;
  CListView m_list;
};

TEST_F(ListViewTest, SelectionCellTextsAndHitTests) {
  const struct {
    std::vector<int> select;
    std::vector<int> expected;
  } cases[] = {{{}, {}}, {{1}, {1}}, {{2, 0}, {0, 2}}, {{-1}, {0, 1, 2}}};  // row -1: every row
  for (const auto& c : cases) {
    EXPECT_TRUE(m_list.SetItemState(-1, 0, LVIS_SELECTED));
    for (int i : c.select) EXPECT_TRUE(m_list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(m_list.GetSelectedIndexes(), c.expected) << "ascending";
  }
  // 255 and 256 units sit at the edge of the first read buffer.
  for (const CString16& text : {CString16(), CString16(u"\u00E9\u4E2D"), CString16(255, u'y'),
                                CString16(256, u'z'), CString16(1200, u'w')}) {
    ASSERT_TRUE(m_list.SetItemText(1, 2, text));
    EXPECT_EQ(m_list.GetItemText(1, 2), text) << text.size() << " units";
  }
  for (int sub : {1, 2}) {
    RECT rect;
    ASSERT_TRUE(m_list.GetSubItemRect(2, sub, rect));
    int hitSub = -1;
    const POINT center = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    EXPECT_EQ(m_list.SubItemHitTest(center, &hitSub), 2);
    EXPECT_EQ(hitSub, sub);
  }
}

TEST_F(ListViewTest, ImageListPassesToAListThatDestroysItAndCellsShowItsPictures) {
  for (DWORD style : {DWORD(0), DWORD(LVS_SHAREIMAGELISTS)}) {
    CreateList(style);
    m_list.SetExtendedStyle(LVS_EX_SUBITEMIMAGES);
    CImageListHandle images = CreateImageList(17, 13, ILC_COLOR32 | ILC_MASK, 1, 1);
    const HIMAGELIST hImages = images.Get();
    ASSERT_EQ(AddMaskedBitmap(hImages, IDB_TEST_ROW, RGB(0, 132, 132)), 0);
    ASSERT_EQ(AddMaskedBitmap(hImages, IDB_TEST_ROW, RGB(0, 0, 0)), 1);
    ASSERT_TRUE(m_list.SetImageList(images, LVSIL_SMALL));
    EXPECT_EQ(m_list.GetImageList(LVSIL_SMALL), hImages);
    EXPECT_EQ(images.Get(), style ? hImages : nullptr);  // a sharing list leaves it to us
    for (int image : {1, 0}) {
      EXPECT_TRUE(m_list.SetItem(1, 1, L"2", image));
      EXPECT_EQ(m_list.GetItemImage(1, 1), image);
    }
    EXPECT_EQ(m_list.GetItemText(1, 1), u"2");
  }
}

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
