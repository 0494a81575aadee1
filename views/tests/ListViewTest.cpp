// The main list view over a real list control: rows, refresh rules, every
// history command from the menu, the context popups and the keys, the menu's
// enabling rules, the popup chosen by the selection, clicks.
// Catches: rows that show the wrong cells or redraw the wrong rows, a command run on the wrong
// selection or from the wrong place, menu rules broken, clicks on the wrong column acting.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>

#include "settings/ApplicationRegistry.h"
#include "ui/Dpi.h"
#include "views/tests/ViewFixture.h"

namespace {

TEST_F(ViewTest, RowsShowNumberPictureDisplayTextAndTime) {
  std::u16string long_text;
  for (int i = 0; i < 25; ++i) long_text += u"abc\tdef\r\n";  // 225 characters
  long_text += std::u16string(25, u'z');
  Fill({u"a\tb", long_text.c_str(), u"plain"});
  m_doc->ToggleBookmark(1);
  CListView list = List();
  ASSERT_EQ(list.GetItemCount(), 3);
  // The first 200 characters (22 lines of 9 and "ab"), then the escape.
  std::u16string shown;
  for (int i = 0; i < 22; ++i) shown += u"abc<TAB>def<CR><LF>";
  shown += u"ab";
  const struct {
    const char16_t *number, *text;
    bool bookmarked;
  } rows[] = {{u"1", u"a<TAB>b", false}, {u"2", nullptr, true}, {u"3", u"plain", false}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(list.GetItemText(i, 0), u"");
    EXPECT_EQ(list.GetItemText(i, 1), rows[i].number);
    EXPECT_EQ(list.GetItemText(i, 2), rows[i].text ? CString16(rows[i].text) : shown);
    EXPECT_EQ(list.GetItemText(i, 3), u"2026.02.03 09:05:07");
    // The main list's ordinary picture is wholly transparent: not drawn at all.
    EXPECT_EQ(list.GetItemImage(i, 1), rows[i].bookmarked ? 1 : I_IMAGENONE);
  }
}

TEST_F(ViewTest, ColumnsAndStylesOfTheList) {
  // Pixels at 96 DPI, grown in proportion on a screen with more dots.
  const struct {
    const wchar_t* header;
    int format, width;
  } columns[] = {{L"", LVCFMT_LEFT, 0},
                 {L"No", LVCFMT_RIGHT, 45},
                 {L"Text", LVCFMT_LEFT, 300},
                 {L"Created Time", LVCFMT_LEFT, 115}};
  HWND hList = View().ListHandle();
  for (int i = 0; i < 4; ++i) {
    wchar_t header[32] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.pszText = header;
    column.cchTextMax = 32;
    ASSERT_TRUE(ListView_GetColumn(hList, i, &column));
    EXPECT_STREQ(header, columns[i].header);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, columns[i].format) << i;
    EXPECT_EQ(column.cx, ScaleForDpi(columns[i].width, WindowDpi(hList))) << i;
  }
  EXPECT_EQ(List().GetExtendedStyle() & 0xFFFF, DWORD(0x4423));
  const LONG_PTR style = ::GetWindowLongPtrW(hList, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(style & LVS_SINGLESEL);
}

TEST_F(ViewTest, RefreshRedrawsWhatChangedAndKeepsOrClearsTheSelection) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  Fill({u"a", u"b", u"c"});
  const HWND hList = View().ListHandle();
  Select({0, 2});
  ::UpdateWindow(hList);
  // One row: that row alone is drawn again, and shows the item as it is now.
  m_doc->GetItem(1)->strText = CString16(u"B");
  m_doc->NotifyChange(1);
  EXPECT_EQ(ListRowsToRedraw(hList), CIndexArray{1});
  EXPECT_EQ(List().GetItemText(1, 2), u"B");
  ::UpdateWindow(hList);
  // Whole list, same count: every row drawn again, the selection stays.
  m_doc->NotifyChange(-1);
  EXPECT_EQ(ListRowsToRedraw(hList), (CIndexArray{0, 1, 2}));
  EXPECT_EQ(Selected(), (CIndexArray{0, 2}));
}

TEST_F(ViewTest, AnotherCountLeavesTheListAsARebuildDidAndTheSameCountDoesNotScroll) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  std::vector<std::u16string> texts;
  for (int i = 0; i < 80; ++i) texts.push_back(u"row " + std::u16string(1, u'a' + i % 26));
  for (const auto& t : texts) {
    m_clip.SetUnicode(t);
    m_doc->CaptureClipboard();
  }
  CListView list = List();
  list.EnsureVisible(70, false);
  Select({70, 72});
  const int nTop = list.GetTopIndex();
  ASSERT_GT(nTop, 0);
  m_doc->NotifyChange(-1);
  EXPECT_EQ(list.GetTopIndex(), nTop) << "a same-count refresh moved the rows";
  EXPECT_EQ(Selected(), (CIndexArray{70, 72}));
  m_clip.SetUnicode(u"one more");
  m_doc->CaptureClipboard();
  EXPECT_EQ(list.GetItemCount(), 81);
  EXPECT_EQ(list.GetItemText(0, 2), u"one more");
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), -1);
  EXPECT_EQ(list.GetSelectionMark(), -1);
  EXPECT_EQ(list.GetTopIndex(), 0);
}

// Counts what the list asks for and what is written into it.
struct CELL_LOG {
  std::vector<int> askedRows;
  int nWrites = 0;
};

LRESULT CALLBACK NoteAsked(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  auto& log = *reinterpret_cast<CELL_LOG*>(data);
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW)
    log.askedRows.push_back(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item.iItem);
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK NoteWrites(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
  auto& log = *reinterpret_cast<CELL_LOG*>(data);
  if (message == LVM_SETITEMW || message == LVM_SETITEMTEXTW || message == LVM_INSERTITEMW)
    ++log.nWrites;
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

TEST_F(ViewTest, ACopyCostsTheRowsOnScreenNotTheHistory) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  CApplicationRegistry().SetBufferSize(999);
  m_doc->LoadLimits();
  for (int i = 0; i < 300; ++i) {
    m_clip.SetUnicode(u"item");
    m_doc->CaptureClipboard();
  }
  const HWND hList = View().ListHandle();
  ::UpdateWindow(hList);
  CELL_LOG log;
  ASSERT_TRUE(
      ::SetWindowSubclass(View().Handle(), NoteAsked, 1, reinterpret_cast<DWORD_PTR>(&log)));
  ASSERT_TRUE(::SetWindowSubclass(hList, NoteWrites, 1, reinterpret_cast<DWORD_PTR>(&log)));
  m_clip.SetUnicode(u"new");
  m_doc->CaptureClipboard();
  ::UpdateWindow(hList);
  ::RemoveWindowSubclass(View().Handle(), NoteAsked, 1);
  ::RemoveWindowSubclass(hList, NoteWrites, 1);
  EXPECT_EQ(log.nWrites, 0) << "rows written into the list";
  ASSERT_FALSE(log.askedRows.empty()) << "nothing drawn";
  const int nOnScreen = static_cast<int>(::SendMessageW(hList, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_LE(*std::max_element(log.askedRows.begin(), log.askedRows.end()), nOnScreen)
      << "a row below the screen was asked for";
}

// Each command from every place that offers it: the main menu, the popup for
// the selection, the local key.
struct COMMAND_CASE {
  const char* name;
  UINT main, item, multi;  // 0: not offered there
  KEY_PRESS key;           // vk 0: no key
  CIndexArray selection;
  int answer;  // what the user answers a box
  V after;     // the history afterwards
  std::vector<std::wstring> asked;
};

// The history of every case: index 0 first.
const std::initializer_list<const char16_t*> kFill = {u"routeTable", u"ROUTE_TABLE", u"hello World",
                                                      u"abc"};
const wchar_t kRemoveOne[] = L"Are you sure you want to remove this item?";
const wchar_t kRemoveMany[] = L"Are you sure you want to remove this items?";
const wchar_t kContiguous[] = L"You have to select contiguous items.";
const wchar_t kClearBookmarks[] = L"Are you sure you want to clear all bookmarks?";

// clang-format off
const COMMAND_CASE kCommandCases[] = {
    {"activate none", 32816, 32814, 32815, {0, 0, VK_RETURN}, {}, 0,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"activate one", 32816, 32814, 32815, {0, 0, VK_RETURN}, {2}, 0,
     {u"hello World", u"routeTable", u"ROUTE_TABLE", u"abc"}, {}},
    {"activate several", 32816, 32814, 32815, {0, 0, VK_RETURN}, {0, 3}, 0,
     {u"routeTable\r\nabc", u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"revert", 32885, 32887, 0, {}, {3}, 0,
     {u"ROUTE_TABLE", u"routeTable", u"hello World", u"abc"}, {}},
    {"remove none", 32828, 32829, 32881, {0, 0, VK_DELETE}, {}, 0,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"remove one, yes", 32828, 32829, 32881, {0, 0, VK_DELETE}, {1}, IDYES,
     {u"routeTable", u"hello World", u"abc"}, {kRemoveOne}},
    {"remove one, no", 32828, 32829, 32881, {0, 0, VK_DELETE}, {1}, IDNO,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {kRemoveOne}},
    {"remove several, yes", 32828, 32829, 32881, {0, 0, VK_DELETE}, {1, 3}, IDYES,
     {u"routeTable", u"hello World"}, {kRemoveMany}},
    {"invert one", 32858, 0, 32880, {1, 0, 'I'}, {1}, 0,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"invert block", 32858, 0, 32880, {1, 0, 'I'}, {1, 2, 3}, 0,
     {u"routeTable", u"abc", u"hello World", u"ROUTE_TABLE"}, {}},
    {"invert with a gap", 32858, 0, 32880, {1, 0, 'I'}, {0, 2}, IDOK,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {kContiguous}},
    {"invert and activate block", 32866, 0, 32875, {1, 1, 'I'}, {2, 3}, 0,
     {u"abc\r\nhello World", u"routeTable", u"ROUTE_TABLE", u"abc", u"hello World"}, {}},
    {"invert and activate with a gap", 32866, 0, 32875, {1, 1, 'I'}, {0, 1, 3}, IDOK,
     {u"routeTable\r\nROUTE_TABLE\r\nabc", u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"},
     {kContiguous}},
    {"bookmark several", 32841, 32842, 0, {1, 0, VK_F2}, {1, 2}, 0,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"make object", 32896, 32898, 0, {1, 0, 'O'}, {0}, 0,
     {u"oouteTable", u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"make object of several", 32896, 32898, 0, {1, 0, 'O'}, {0, 1}, 0,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"from id, one", 32863, 32870, 32877, {1, 0, 'D'}, {1}, 0,
     {u"RouteTable", u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"from id, several", 32863, 32870, 32877, {1, 0, 'D'}, {1, 3}, 0,
     {u"routeTable", u"RouteTable", u"hello World", u"Abc"}, {}},
    {"to id, one", 32862, 32869, 32876, {1, 1, 'D'}, {0}, 0,
     {u"ROUTE_TABLE", u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"to id, several", 32862, 32869, 32876, {1, 1, 'D'}, {2, 3}, 0,
     {u"routeTable", u"ROUTE_TABLE", u"HELLO_WORLD", u"ABC"}, {}},
    {"lowercase, one", 32811, 32787, 32852, {1, 0, 'U'}, {1}, 0,
     {u"route_table", u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"uppercase, several", 32809, 32786, 32851, {1, 1, 'U'}, {0, 2}, 0,
     {u"ROUTETABLE", u"ROUTE_TABLE", u"HELLO WORLD", u"abc"}, {}},
    {"title, one", 32864, 32871, 32878, {1, 0, 'T'}, {2}, 0,
     {u"Hello world", u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
    {"conversion of none", 32864, 32871, 32878, {1, 0, 'T'}, {}, 0,
     {u"routeTable", u"ROUTE_TABLE", u"hello World", u"abc"}, {}},
};
// clang-format on

TEST_F(ViewTest, EveryDateAndTimeEntryStampsItsFormat) {
  const struct {
    UINT main, popup;
    const char16_t* stamp;
  } entries[] = {
      {32794, 32817, u"2026.02.03"},
      {32795, 32818, u"2026-02-03"},
      {32796, 32819, u"2026.02.03 09-05-07"},
      {32797, 32820, u"2026-02-03 09-05-07"},
      {32798, 32821, u"2026-02-03_09-05-07"},
      {32799, 32822, u"09-05-07"},
      {32800, 32823, u"09.05.07"},
      {32801, 32824, u"20260203"},
      {32803, 32825, u"090507"},
      {32804, 32826, u"20260203090507"},
  };
  Fill({u"x"});
  for (const auto& e : entries) {
    for (UINT id : {e.main, e.popup}) {
      SCOPED_TRACE(id);
      if (id == e.main)
        MenuCommand(id);
      else
        PopupCommand(id);
      EXPECT_EQ(m_doc->GetItem(0)->strText, e.stamp) << "a new newest item";
    }
  }
  EXPECT_EQ(m_doc->GetItemCount(), 21);
}

TEST_F(ViewTest, EveryCommandFromMenuPopupAndKey) {
  for (const COMMAND_CASE& c : kCommandCases) {
    const bool bMany = c.selection.size() > 1;
    const UINT popup = bMany ? c.multi : c.item;
    for (int channel = 0; channel < 3; ++channel) {
      if ((channel == 1 && !popup) || (channel == 2 && !c.key.vk)) continue;
      SCOPED_TRACE(std::string(c.name) + " through " +
                   (channel == 0   ? "the menu"
                    : channel == 1 ? "the popup"
                                   : "the key"));
      m_doc->ClearList();
      Fill(kFill);
      Select(c.selection);
      if (c.answer) m_prompt.m_answers = {c.answer};
      if (channel == 0)
        MenuCommand(c.main);
      else if (channel == 1)
        PopupCommand(popup);
      else
        Press(c.key);
      EXPECT_EQ(Texts(), c.after);
      std::vector<std::wstring> asked;
      for (const auto& a : m_prompt.m_asked) asked.push_back(a.text);
      EXPECT_EQ(asked, c.asked);
    }
  }
}

TEST_F(ViewTest, TheSelectedIndexIsTheOneSelectedRowEvenWhenTheAnchorIsElsewhere) {
  Fill(kFill);
  // The anchor left on a row that is no longer selected, as a selection made
  // by the program can leave it.
  Select({3});
  List().SetItemState(3, 0, LVIS_SELECTED);
  List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  ASSERT_EQ(List().GetSelectionMark(), 3);
  PopupCommand(32814);  // Activate Item
  EXPECT_EQ(m_clip.Unicode(), u"ROUTE_TABLE");
  EXPECT_TRUE(Selected().empty()) << "the activated row, not the anchor, was deselected";
}

TEST_F(ViewTest, RemoveTakesTheItemsTheUserConfirmedEvenWhenRowsMovedMeanwhile) {
  Fill(kFill);
  m_prompt.m_fnWhileShown = [this] {
    m_clip.SetUnicode(u"copied while asked");
    m_doc->CaptureClipboard();
  };
  Select({1, 3});
  MenuCommand(32828);
  EXPECT_EQ(Texts(), (V{u"copied while asked", u"routeTable", u"hello World"}));
}

TEST_F(ViewTest, RemoveLeavesAnItemMadeWhileAskedInTheRemovedOnesPlace) {
  // The confirmed item goes while the box is up and a new one takes its
  // place, likely at the same address: the new one is not the one confirmed.
  Fill({u"only"});
  m_prompt.m_fnWhileShown = [this] {
    m_doc->RemoveItem(0);
    m_clip.SetUnicode(u"new");  // short: no allocation but the item's own
    m_doc->CaptureClipboard();
  };
  Select({0});
  MenuCommand(32828);
  EXPECT_EQ(Texts(), (V{u"new"}));
}

TEST_F(ViewTest, BoxesCarryTheirButtonsAndIcons) {
  Fill(kFill);
  Select({1});
  m_prompt.m_answers = {IDNO};
  MenuCommand(32828);
  Select({0, 2});
  MenuCommand(32858);
  m_prompt.m_answers = {IDNO};
  MenuCommand(32850);
  ASSERT_EQ(m_prompt.m_asked.size(), 3u);
  // No icon asked for a question: the program's box chooses it by the buttons.
  EXPECT_EQ(m_prompt.m_asked[0].type, UINT(MB_YESNO));
  EXPECT_EQ(m_prompt.m_asked[1].type, UINT(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(m_prompt.m_asked[2].type, UINT(MB_YESNO));
}

TEST_F(ViewTest, BookmarksSetToggledAndClearedOnlyWhenConfirmed) {
  Fill(kFill);
  Select({2});
  Press({true, false, VK_F2});
  EXPECT_TRUE(m_doc->GetItem(2)->bBookmark);
  EXPECT_EQ(List().GetItemImage(2, 1), 1);
  PopupCommand(32842);
  EXPECT_FALSE(m_doc->GetItem(2)->bBookmark);
  m_doc->SetBookmark(0, TRUE);
  m_prompt.m_answers = {IDNO};
  MenuCommand(32850);
  EXPECT_TRUE(m_doc->GetItem(0)->bBookmark);
  m_prompt.m_answers = {IDYES};
  PopupCommand(32848);
  EXPECT_FALSE(m_doc->GetItem(0)->bBookmark);
}

TEST_F(ViewTest, ActivateInTheListDeselectsTheAnchorAndNeverPastes) {
  Fill(kFill);
  Select({2});
  MenuCommand(32816);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(m_clip.Unicode(), u"hello World");
}

// Navigation: where each search and bookmark jump starts, what it selects.
TEST_F(ViewTest, BookmarkAndFindNavigation) {
  Fill({u"cat", u"dog", u"cat food", u"bird", u"the cat"});
  m_doc->GetFindCriteria()->strText = u"cat";
  const struct {
    const char* what;
    KEY_PRESS key;
    CIndexArray bookmarks, before, after;
  } cases[] = {
      {"find next from none", {0, 0, VK_F3}, {}, {}, {0}},
      {"find next from a row", {0, 0, VK_F3}, {}, {0}, {2}},
      {"find next wraps", {0, 0, VK_F3}, {}, {4}, {0}},
      {"find previous from none", {0, 1, VK_F3}, {}, {}, {4}},
      {"find previous from a row", {0, 1, VK_F3}, {}, {2}, {0}},
      {"find next with two selected does nothing", {0, 0, VK_F3}, {}, {1, 3}, {1, 3}},
      {"next bookmark", {0, 0, VK_F2}, {1, 3}, {1}, {3}},
      {"next bookmark wraps", {0, 0, VK_F2}, {1, 3}, {3}, {1}},
      {"previous bookmark from none", {0, 1, VK_F2}, {1, 3}, {}, {3}},
      {"the only bookmark, on the selected row", {0, 0, VK_F2}, {2}, {2}, {2}},
      {"no bookmark keeps the selection", {0, 0, VK_F2}, {}, {4}, {4}},
      {"bookmarks with two selected do nothing", {0, 0, VK_F2}, {1}, {0, 4}, {0, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->ClearBookmarks();
    for (int i : c.bookmarks) m_doc->SetBookmark(i, TRUE);
    Select(c.before);
    Press(c.key);
    EXPECT_EQ(Selected(), c.after);
  }
  // A search that finds nothing leaves no row selected.
  m_doc->GetFindCriteria()->strText = u"zebra";
  Select({1});
  Press({false, false, VK_F3});
  EXPECT_TRUE(Selected().empty());
  // Ctrl+A selects every row.
  Press({true, false, 'A'});
  EXPECT_EQ(Selected(), (CIndexArray{0, 1, 2, 3, 4}));
}

TEST_F(ViewTest, TheEditMenuFollowsTheSelection) {
  Fill(kFill);
  CMenu menu;
  ASSERT_TRUE(menu.Load(IDR_MAINFRAME));
  HMENU edit = menu.GetSubMenu(1);
  // Entries that need exactly one, one or more, two or more rows.
  const UINT one[] = {32807, 32808, 32841, 32896};
  const UINT oneOrMore[] = {32816, 32828, 32863, 32862, 32811, 32809, 32864};
  const UINT twoOrMore[] = {32858, 32866};
  const UINT always[] = {32885, 32861, 32860, 32850, 32794, 32804, 32890, 32892, 32894};
  for (const CIndexArray& selection : {CIndexArray{}, CIndexArray{1}, CIndexArray{0, 2}}) {
    const size_t n = selection.size();
    SCOPED_TRACE(n);
    Select(selection);
    View().OnInitMenuPopup(edit);
    for (UINT id : one) EXPECT_EQ(CMenu::IsItemEnabled(edit, id), n == 1) << id;
    for (UINT id : oneOrMore) EXPECT_EQ(CMenu::IsItemEnabled(edit, id), n >= 1) << id;
    for (UINT id : twoOrMore) EXPECT_EQ(CMenu::IsItemEnabled(edit, id), n >= 2) << id;
    for (UINT id : always) EXPECT_TRUE(CMenu::IsItemEnabled(edit, id)) << id;
  }
}

// Notes the first entry of each popup that opens over the view, and closes it.
LRESULT CALLBACK NotePopup(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  if (message == WM_INITMENUPOPUP && !HIWORD(lParam)) {
    wchar_t text[64] = {};
    ::GetMenuStringW(reinterpret_cast<HMENU>(wParam), 0, text, 64, MF_BYPOSITION);
    reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(text);
    ::EndMenu();
  }
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

TEST_F(ViewTest, TheContextPopupIsChosenByTheSelectedCount) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  Fill(kFill);
  std::vector<std::wstring> opened;
  ASSERT_TRUE(
      ::SetWindowSubclass(View().Handle(), NotePopup, 1, reinterpret_cast<DWORD_PTR>(&opened)));
  NMHDR rightClick{View().ListHandle(), 1, static_cast<UINT>(NM_RCLICK)};
  for (const CIndexArray& selection : {CIndexArray{}, CIndexArray{1}, CIndexArray{1, 2}}) {
    Select(selection);
    EXPECT_EQ(View().Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&rightClick)), TRUE);
    // Shift+F10 and the Menu key ask at (-1, -1): the same popup, at the focused row.
    View().Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(View().ListHandle()), MAKELPARAM(-1, -1));
  }
  ::RemoveWindowSubclass(View().Handle(), NotePopup, 1);
  EXPECT_EQ(opened,
            (std::vector<std::wstring>{L"Revert First Items", L"Revert First Items",
                                       L"Activate Item\tEnter", L"Activate Item\tEnter",
                                       L"Activate Items\tEnter", L"Activate Items\tEnter"}));
}

TEST_F(ViewTest, ClicksOnTheNumberColumnToggleTheBookmarkAndDoubleClicksActivate) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  Fill(kFill);
  HWND hList = View().ListHandle();
  auto clickAt = [&](int row, int column) {
    RECT cell{};
    List().GetSubItemRect(row, column, cell);
    POINT point{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ::ClientToScreen(hList, &point);
    ::SetCursorPos(point.x, point.y);
    // Wine moves the pointer through X: a late motion of the previous move
    // can still be reported for a moment. A real click comes once the
    // pointer is there.
    ASSERT_TRUE(WaitFor(
        [&] {
          POINT now{};
          ::GetCursorPos(&now);
          return now.x == point.x && now.y == point.y;
        },
        2000));
    NMHDR click{hList, 1, static_cast<UINT>(NM_CLICK)};
    View().Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click));
  };
  clickAt(2, 1);
  EXPECT_TRUE(m_doc->GetItem(2)->bBookmark);
  EXPECT_EQ(List().GetItemImage(2, 1), 1);
  clickAt(2, 2);
  EXPECT_TRUE(m_doc->GetItem(2)->bBookmark) << "a click on the text only selects";
  clickAt(2, 1);
  EXPECT_FALSE(m_doc->GetItem(2)->bBookmark);

  Select({3});
  NMHDR activate{hList, 1, static_cast<UINT>(LVN_ITEMACTIVATE)};
  View().Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&activate));
  EXPECT_EQ(Texts(), (V{u"abc", u"routeTable", u"ROUTE_TABLE", u"hello World"}));
}

}  // namespace
