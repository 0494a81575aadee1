// The list-view wrapper on a real report-mode list inside a test window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "TestResource.h"
#include "TestSupport.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

namespace {

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CListView::InitCommonControls());
    ASSERT_TRUE(m_parent.Create(TestWindowClass(), L"list", WS_OVERLAPPEDWINDOW, 0, 0, 0, 400,
                                300));
    CreateList(0);
  }

  void CreateList(DWORD extraStyle) {
    if (m_list.Handle()) ::DestroyWindow(m_list.Handle());
    const RECT rect = {0, 0, 300, 120};
    ASSERT_TRUE(m_list.Create(m_parent.Handle(), 1000,
                              WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | extraStyle, rect));
    m_list.InsertColumn(0, L"", LVCFMT_LEFT, 0);
    m_list.InsertColumn(1, L"No", LVCFMT_RIGHT, 45);
    m_list.InsertColumn(2, L"Text", LVCFMT_LEFT, 200);
  }

  void AddRows(int count) {
    CRedrawSuspend suspend(m_list);
    for (int i = 0; i < count; ++i) {
      const int index = m_list.InsertItem(m_list.GetItemCount(), L"");
      ASSERT_EQ(index, i);
      m_list.SetItemText(index, 2, u"row " + Utf16FromInt(i));
    }
  }

  static std::u16string Utf16FromInt(int n) {
    std::wstring s = std::to_wstring(n);
    return std::u16string(s.begin(), s.end());
  }

  int ColumnCount() {
    HWND hHeader = reinterpret_cast<HWND>(::SendMessageW(m_list.Handle(), LVM_GETHEADER, 0, 0));
    return static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
  }

  CWindow m_parent;
  CListView m_list;
};

TEST_F(ListViewTest, ColumnsAreInsertedAndDeleted) {
  EXPECT_EQ(ColumnCount(), 3);
  EXPECT_EQ(m_list.InsertColumn(3, L"Created Time", LVCFMT_LEFT, 115), 3);
  EXPECT_EQ(ColumnCount(), 4);
  EXPECT_TRUE(m_list.DeleteColumn(3));
  EXPECT_EQ(ColumnCount(), 3);
  EXPECT_EQ(::SendMessageW(m_list.Handle(), LVM_GETCOLUMNWIDTH, 1, 0), 45);
}

TEST_F(ListViewTest, RowsAreInsertedSetAndDeleted) {
  AddRows(5);
  EXPECT_EQ(m_list.GetItemCount(), 5);
  EXPECT_EQ(m_list.GetItemText(3, 2), u"row 3");
  EXPECT_TRUE(m_list.SetItemText(3, 1, CString16(u"4")));
  EXPECT_EQ(m_list.GetItemText(3, 1), u"4");
  EXPECT_TRUE(m_list.SetItemData(2, 0x402));
  EXPECT_TRUE(m_list.DeleteItem(0));
  EXPECT_EQ(m_list.GetItemCount(), 4);
  EXPECT_EQ(m_list.GetItemData(1), 0x402);  // the data moved with its row
  EXPECT_EQ(m_list.GetItemData(0), 0);
  EXPECT_EQ(m_list.GetItemText(0, 2), u"row 1");
  EXPECT_EQ(m_list.InsertItem(0, L"head"), 0);
  EXPECT_EQ(m_list.GetItemText(0, 0), u"head");
  EXPECT_TRUE(m_list.DeleteAllItems());
  EXPECT_EQ(m_list.GetItemCount(), 0);
}

TEST_F(ListViewTest, CellTextsOfAnyLengthRoundTrip) {
  AddRows(1);
  const CString16 texts[] = {u"", u"a<TAB>b", u"\u00E9\u4E2D", CString16(255, u'y'),
                             CString16(256, u'z'), CString16(1200, u'w')};
  for (const auto& text : texts) {
    ASSERT_TRUE(m_list.SetItemText(0, 2, text));
    EXPECT_EQ(m_list.GetItemText(0, 2), text) << text.size() << " units";
  }
}

TEST_F(ListViewTest, TextAndPictureOfACellInOneCall) {
  CreateList(LVS_SHAREIMAGELISTS);
  m_list.SetExtendedStyle(LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(m_list.GetExtendedStyle(), DWORD(LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT));
  CImageListHandle images = CreateImageList(17, 13, ILC_COLOR32 | ILC_MASK, 1, 1);
  ASSERT_EQ(AddMaskedBitmap(images.Get(), IDB_TEST_ROW, RGB(0, 132, 132)), 0);
  ASSERT_EQ(AddMaskedBitmap(images.Get(), IDB_TEST_ROW, RGB(0, 0, 0)), 1);
  EXPECT_EQ(AddMaskedBitmap(images.Get(), IDB_MISSING, RGB(0, 0, 0)), -1);
  EXPECT_EQ(::ImageList_GetImageCount(images.Get()), 2);
  ASSERT_TRUE(m_list.SetImageList(images, LVSIL_SMALL));
  AddRows(2);
  EXPECT_TRUE(m_list.SetItem(1, 1, L"2", 1));
  EXPECT_EQ(m_list.GetItemText(1, 1), u"2");
  EXPECT_EQ(m_list.GetItemImage(1, 1), 1);
  EXPECT_TRUE(m_list.SetItem(1, 1, L"2", 0));
  EXPECT_EQ(m_list.GetItemImage(1, 1), 0);
}

TEST_F(ListViewTest, SelectedIndexesComeInAscendingOrder) {
  AddRows(6);
  struct Case {
    std::vector<int> select;
    std::vector<int> expected;
  };
  const Case cases[] = {{{}, {}},
                        {{4}, {4}},
                        {{5, 1, 3}, {1, 3, 5}},
                        {{-1}, {0, 1, 2, 3, 4, 5}}};  // row -1: every row
  for (const auto& c : cases) {
    EXPECT_TRUE(m_list.SetItemState(-1, 0, LVIS_SELECTED));
    for (int i : c.select) EXPECT_TRUE(m_list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(m_list.GetSelectedIndexes(), c.expected);
    EXPECT_EQ(m_list.GetSelectedCount(), static_cast<int>(c.expected.size()));
  }
}

TEST_F(ListViewTest, FocusAndSelectionMarkFollowTheirRows) {
  AddRows(5);
  m_list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetSelectionMark(2);
  EXPECT_EQ(m_list.GetSelectionMark(), 2);
  EXPECT_EQ(m_list.GetNextItem(-1, LVNI_FOCUSED), 2);
  EXPECT_EQ(m_list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), UINT(LVIS_SELECTED | LVIS_FOCUSED));
  // Deselecting the anchor takes it out of selection and focus.
  m_list.SetItemState(m_list.GetSelectionMark(), 0, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(m_list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), 0u);
  EXPECT_EQ(m_list.GetSelectedCount(), 0);
}

TEST_F(ListViewTest, EnsureVisibleScrollsARowIntoView) {
  AddRows(100);
  EXPECT_EQ(m_list.GetTopIndex(), 0);
  EXPECT_TRUE(m_list.EnsureVisible(90));
  EXPECT_GT(m_list.GetTopIndex(), 0);
  RECT row, client;
  ASSERT_TRUE(m_list.GetSubItemRect(90, 0, row));
  ::GetClientRect(m_list.Handle(), &client);
  EXPECT_GE(row.top, client.top);
  EXPECT_LE(row.bottom, client.bottom);
  EXPECT_TRUE(m_list.EnsureVisible(0));
  EXPECT_EQ(m_list.GetTopIndex(), 0);
}

TEST_F(ListViewTest, HitTestFindsRowAndColumn) {
  AddRows(3);
  for (int sub : {1, 2}) {
    RECT rect;
    ASSERT_TRUE(m_list.GetSubItemRect(2, sub, rect));
    int hitSub = -1;
    const POINT center = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    EXPECT_EQ(m_list.SubItemHitTest(center, &hitSub), 2);
    EXPECT_EQ(hitSub, sub);
  }
  int hitSub = -1;
  EXPECT_EQ(m_list.SubItemHitTest(POINT{5, 115}, &hitSub), -1);  // below the last row
}

TEST_F(ListViewTest, ImageListOwnershipPassesToAControlThatDestroysIt) {
  struct Case {
    DWORD style;
    bool callerKeeps;
  };
  for (const Case& c : {Case{0, false}, Case{LVS_SHAREIMAGELISTS, true}}) {
    CreateList(c.style);
    CImageListHandle images = CreateImageList(17, 13, ILC_COLOR32 | ILC_MASK, 1, 1);
    HIMAGELIST hImages = images.Get();
    ASSERT_NE(hImages, nullptr);
    EXPECT_TRUE(m_list.SetImageList(images, LVSIL_SMALL));
    EXPECT_EQ(m_list.GetImageList(LVSIL_SMALL), hImages);
    EXPECT_EQ(static_cast<bool>(images), c.callerKeeps);
  }
}

}  // namespace
