// The main list view over a real list control: rows, refresh rules, every
// history command from the menu, the context popups and the keys, the
// selection rules of the commands and of navigation, the menu's enabling
// rules, the popup chosen by the selection, clicks.
// Catches: rows that show the wrong cells or lose their place on a refresh, a command run on the
// wrong selection or from the wrong place, a one-row command acting on none or several, a
// deselection that leaves rows selected or focused, menu rules broken, clicks on the wrong column
// acting.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>

#include "settings/ApplicationRegistry.h"
#include "ui/Dpi.h"
#include "views/tests/ViewFixture.h"

namespace {

// The history of most cases: index 0 first, the oldest bookmarked.
const std::string kFill = "routeTable|ROUTE_TABLE|hello World|abc*";

TEST_F(ViewTest, RowsColumnsAndStylesOfTheList) {
  std::u16string long_text;
  for (int i = 0; i < 25; ++i) long_text += u"abc\tdef\r\n";  // 225 characters
  Fill("a\tb|" + Utf8FromUtf16(long_text) + std::string(25, 'z') + "*|plain");
  for (int i = 0; i < 3; ++i)
    m_doc->GetItem(i)->tCreated = m_text.m_tNow;  // items take the wall clock
  // The first 200 characters (22 lines of 9 and "ab"), then the escape.
  std::u16string shown;
  for (int i = 0; i < 22; ++i) shown += u"abc<TAB>def<CR><LF>";
  // Each row as "number,text,time,picture|", the first column empty; the
  // main list's ordinary picture is wholly transparent: not drawn at all.
  CListView list = List();
  std::u16string rows;
  for (int i = 0; i < list.GetItemCount(); ++i)
    rows += list.GetItemText(i, 0) + list.GetItemText(i, 1) + u"," + list.GetItemText(i, 2) + u"," +
            list.GetItemText(i, 3) + u"," + Utf16FromUtf8(std::to_string(list.GetItemImage(i, 1))) +
            u"|";
  const std::u16string time = u",2026.02.03 09:05:07,";
  EXPECT_EQ(rows,
            u"1,a<TAB>b" + time + u"-2|2," + shown + u"ab" + time + u"1|3,plain" + time + u"-2|");
  // Header, alignment and width of each column, the width in pixels at 96
  // DPI, grown in proportion on a screen with more dots.
  HWND hList = View().ListHandle();
  std::wstring columns;
  for (int i = 0; i < 4; ++i) {
    wchar_t header[32] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.pszText = header;
    column.cchTextMax = 32;
    ASSERT_TRUE(ListView_GetColumn(hList, i, &column));
    columns += header + (L"," + std::to_wstring(column.fmt & LVCFMT_JUSTIFYMASK) + L"," +
                         std::to_wstring(::MulDiv(column.cx, 96, WindowDpi(hList))) + L"|");
  }
  EXPECT_EQ(columns, L",0,0|No,1,45|Text,0,300|Created Time,0,115|");
  EXPECT_EQ(list.GetExtendedStyle() & 0xFFFF, DWORD(0x4423));
  EXPECT_EQ(::GetWindowLongPtrW(hList, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
}

TEST_F(ViewTest, TheSameCountKeepsTheScrollAndSelectionAnotherCountClearsThem) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  // Far down a long list: the same count does not scroll; another count
  // leaves the list as a rebuild did.
  for (int i = 0; i < 80; ++i) Copy(u"row " + std::u16string(1, u'a' + i % 26));
  CListView list = List();
  list.EnsureVisible(70, false);
  Select({70, 72});
  const int nTop = list.GetTopIndex();
  ASSERT_GT(nTop, 0);
  m_doc->NotifyChange(-1);
  EXPECT_EQ(list.GetTopIndex(), nTop) << "a same-count refresh moved the rows";
  EXPECT_EQ(Selected(), (CIndexArray{70, 72}));
  Copy(u"one more");
  EXPECT_EQ(list.GetItemCount(), 81);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(Focused(), -1);
  EXPECT_EQ(list.GetSelectionMark(), -1);
  EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST_F(ViewTest, ActivatingDeselectsTheActivatedRowsWhereverTheAnchorIs) {
  // A full history: the activated text comes in as the oldest goes, the
  // count stays, and so does the selection until the deselection.
  CApplicationRegistry().SetBufferSize(4);
  m_doc->LoadLimits();
  Fill(kFill);
  ASSERT_EQ(List().GetSelectionMark(), -1) << "the rebuild left an anchor";
  Press({true, false, 'A'});
  ASSERT_EQ(Selected(), (CIndexArray{0, 1, 2, 3}));
  Press({false, false, VK_RETURN});
  EXPECT_EQ(History(),
            "routeTable\r\nROUTE_TABLE\r\nhello World\r\nabc|routeTable|ROUTE_TABLE|hello World");
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(Focused(), -1);
  // The anchor left on a row that is no longer selected, as a selection made
  // by the program can leave it: the selected row is the one activated.
  Fill(kFill);
  Select({3});
  List().SetItemState(3, 0, LVIS_SELECTED);
  List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  ASSERT_EQ(List().GetSelectionMark(), 3);
  PopupCommand(32814);  // Activate Item
  EXPECT_EQ(History(), "ROUTE_TABLE|routeTable|hello World|abc*");
  EXPECT_TRUE(Selected().empty()) << "the activated row, not the anchor, was deselected";
}

// Notes the rows whose cells the list asks for.
LRESULT CALLBACK NoteCells(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW)
    reinterpret_cast<std::vector<int>*>(data)->push_back(
        reinterpret_cast<NMLVDISPINFOW*>(lParam)->item.iItem);
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

TEST_F(ViewTest, ACopyCostsTheRowsOnScreenNotTheHistory) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  CApplicationRegistry().SetBufferSize(999);
  m_doc->LoadLimits();
  for (int i = 0; i < 300; ++i) Copy(u"item");
  const HWND hList = View().ListHandle();
  ::UpdateWindow(hList);
  std::vector<int> asked;
  ASSERT_TRUE(
      ::SetWindowSubclass(View().Handle(), NoteCells, 1, reinterpret_cast<DWORD_PTR>(&asked)));
  Copy(u"new");
  ::UpdateWindow(hList);
  ::RemoveWindowSubclass(View().Handle(), NoteCells, 1);
  ASSERT_FALSE(asked.empty()) << "nothing drawn";
  const int nOnScreen = static_cast<int>(::SendMessageW(hList, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_LE(*std::max_element(asked.begin(), asked.end()), nOnScreen)
      << "a row below the screen was asked for";
}

// A command as each place offers it: the main menu, the popup for one row
// and for several rows, the local key; 0 (vk 0): not offered there.
struct COMMAND {
  UINT main, item, multi;
  KEY_PRESS key;
};
const COMMAND kActivate{32816, 32814, 32815, {0, 0, VK_RETURN}}, kRevert{32885, 32887, 0, {}},
    kRemove{32828, 32829, 32881, {0, 0, VK_DELETE}}, kInvert{32858, 0, 32880, {1, 0, 'I'}},
    kInvertActivate{32866, 0, 32875, {1, 1, 'I'}}, kBookmark{32841, 32842, 0, {1, 0, VK_F2}},
    kClearBookmarks{32850, 32848, 0, {}}, kMakeObject{32896, 32898, 0, {1, 0, 'O'}},
    kFromId{32863, 32870, 32877, {1, 0, 'D'}}, kToId{32862, 32869, 32876, {1, 1, 'D'}},
    kLower{32811, 32787, 32852, {1, 0, 'U'}}, kUpper{32809, 32786, 32851, {1, 1, 'U'}},
    kTitle{32864, 32871, 32878, {1, 0, 'T'}}, kPreview{32808, 32805, 0, {}},
    kEdit{32807, 32806, 0, {1, 0, VK_RETURN}};

const std::wstring kRemoveOne = Box(L"Are you sure you want to remove this item?", MB_YESNO);
const std::wstring kRemoveMany = Box(L"Are you sure you want to remove this items?", MB_YESNO);
const std::wstring kContiguous =
    Box(L"You have to select contiguous items.", MB_OK | MB_ICONINFORMATION);
const std::wstring kClearAll = Box(L"Are you sure you want to clear all bookmarks?", MB_YESNO);
const std::wstring kDialog = L"a dialog";

TEST_F(ViewTest, EveryCommandFromMenuPopupAndKey) {
  struct CASE {
    const char* name;
    COMMAND command;
    CIndexArray selection;
    int answer;                       // what the user answers a box
    const char* after;                // the history afterwards, "+": before kFill; null: as it was
    std::vector<std::wstring> asked;  // the boxes, then kDialog when a dialog came
  };
  std::vector<CASE> cases = {
      // clang-format off
      {"activate one", kActivate, {2}, 0, "hello World|routeTable|ROUTE_TABLE|abc*", {}},
      {"activate several", kActivate, {0, 3}, 0, "+routeTable\r\nabc", {}},
      {"revert", kRevert, {3}, 0, "ROUTE_TABLE|routeTable|hello World|abc*", {}},
      {"remove none", kRemove, {}, 0, nullptr, {}},
      {"remove one, yes", kRemove, {1}, IDYES, "routeTable|hello World|abc*", {kRemoveOne}},
      {"remove several, yes", kRemove, {1, 3}, IDYES, "routeTable|hello World", {kRemoveMany}},
      {"invert one", kInvert, {1}, 0, nullptr, {}},
      {"invert block", kInvert, {1, 2, 3}, 0, "routeTable|abc*|hello World|ROUTE_TABLE", {}},
      {"invert with a gap", kInvert, {0, 2}, IDOK, nullptr, {kContiguous}},
      {"invert and activate block", kInvertActivate, {2, 3}, 0,
       "abc\r\nhello World|routeTable|ROUTE_TABLE|abc*|hello World", {}},
      {"invert and activate with a gap", kInvertActivate, {0, 1, 3}, IDOK,
       "+routeTable\r\nROUTE_TABLE\r\nabc", {kContiguous}},
      {"bookmark one", kBookmark, {1}, 0, "routeTable|ROUTE_TABLE*|hello World|abc*", {}},
      {"bookmark toggled off", kBookmark, {3}, 0, "routeTable|ROUTE_TABLE|hello World|abc", {}},
      {"clear bookmarks, no", kClearBookmarks, {}, IDNO, nullptr, {kClearAll}},
      {"clear bookmarks, yes", kClearBookmarks, {2}, IDYES,
       "routeTable|ROUTE_TABLE|hello World|abc", {kClearAll}},
      {"make object", kMakeObject, {0}, 0, "+oouteTable", {}},
      {"from id, one", kFromId, {1}, 0, "+RouteTable", {}},
      {"from id, several", kFromId, {1, 3}, 0, "routeTable|RouteTable|hello World|Abc*", {}},
      {"to id, one", kToId, {0}, 0, "+ROUTE_TABLE", {}},
      {"to id, several", kToId, {2, 3}, 0, "routeTable|ROUTE_TABLE|HELLO_WORLD|ABC*", {}},
      {"lowercase, one", kLower, {1}, 0, "+route_table", {}},
      {"uppercase, several", kUpper, {0, 2}, 0, "ROUTETABLE|ROUTE_TABLE|HELLO WORLD|abc*", {}},
      {"title, one", kTitle, {2}, 0, "+Hello world", {}},
      {"preview one", kPreview, {1}, 0, nullptr, {kDialog}},
      {"preview several", kPreview, {0, 2}, 0, nullptr, {}},
      {"preview none", kPreview, {}, 0, nullptr, {}},
      {"edit one", kEdit, {1}, 0, nullptr, {kDialog}},
      {"edit several", kEdit, {0, 2}, 0, nullptr, {}},
      {"edit none", kEdit, {}, 0, nullptr, {}},
      {"bookmark several", kBookmark, {0, 2}, 0, nullptr, {}},
      {"make object several", kMakeObject, {0, 2}, 0, nullptr, {}},
      // clang-format on
  };
  // The date and time entries, in the order of their formats; the main
  // menu's skip 32802.
  static const char* const stamps[] = {"+2026.02.03",
                                       "+2026-02-03",
                                       "+2026.02.03 09-05-07",
                                       "+2026-02-03 09-05-07",
                                       "+2026-02-03_09-05-07",
                                       "+09-05-07",
                                       "+09.05.07",
                                       "+20260203",
                                       "+090507",
                                       "+20260203090507"};
  for (UINT i = 0; i < 10; ++i)
    cases.push_back(
        {stamps[i] + 1, {32794 + i + (i >= 8), 32817 + i, 0, {}}, {}, 0, stamps[i], {}});
  const char* const places[] = {"the menu", "the popup", "the key"};
  for (const auto& c : cases) {
    const COMMAND& k = c.command;
    const UINT popup = c.selection.size() > 1 ? k.multi : k.item;
    for (int place = 0; place < 3; ++place) {
      // Id or key 0: not offered there.
      if (place == 0 ? !k.main : place == 1 ? !popup : !k.key.vk) continue;
      SCOPED_TRACE(std::string(c.name) + " through " + places[place]);
      Fill(kFill);
      Select(c.selection);
      if (c.answer) m_prompt.m_answers = {c.answer};
      const bool bDialog = WithDialog(
          [](HWND d) { ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0); },
          [&] {
            place == 0 ? MenuCommand(k.main) : place == 1 ? PopupCommand(popup) : Press(k.key);
          });
      EXPECT_EQ(History(), !c.after          ? kFill
                           : *c.after == '+' ? c.after + 1 + ("|" + kFill)
                                             : c.after);
      std::vector<std::wstring> asked = Asked();
      if (bDialog) asked.push_back(kDialog);
      EXPECT_EQ(asked, c.asked);
    }
  }
}

TEST_F(ViewTest, RemoveTakesTheItemsTheUserConfirmedWhateverHappensWhileAsked) {
  // The confirmed item may go while the box is up and a new one take its
  // place, likely at the same address: the new one is not the one confirmed.
  const struct {
    std::string fill;
    CIndexArray rows;
    bool bRemovedMeanwhile;
    const char* after;
  } cases[] = {{kFill, {1, 3}, false, "new|routeTable|hello World"}, {"only", {0}, true, "new"}};
  for (const auto& c : cases) {
    Fill(c.fill);
    m_prompt.m_fnWhileShown = [&] {
      if (c.bRemovedMeanwhile) m_doc->RemoveItem(0);
      Copy(u"new");  // short: no allocation but the item's own
    };
    Select(c.rows);
    MenuCommand(32828);
    EXPECT_EQ(History(), c.after);
  }
}

// Navigation: where each search and bookmark jump starts, what it selects
// and where the focus is left.
TEST_F(ViewTest, BookmarkAndFindNavigation) {
  const struct {
    const char* what;
    const char16_t* search;
    KEY_PRESS key;
    CIndexArray bookmarks, before, after;
    int focused;  // -2: the row the selection ended on
  } cases[] = {
      {"find next from none", u"cat", {0, 0, VK_F3}, {}, {}, {0}, 0},
      {"find next from a row", u"cat", {0, 0, VK_F3}, {}, {0}, {2}, 2},
      {"find next wraps", u"cat", {0, 0, VK_F3}, {}, {4}, {0}, 0},
      {"find previous from a row", u"cat", {0, 1, VK_F3}, {}, {2}, {0}, 0},
      {"find previous from none", u"cat", {0, 1, VK_F3}, {}, {}, {4}, 4},
      {"find next with two selected does nothing", u"cat", {0, 0, VK_F3}, {}, {1, 3}, {1, 3}, 3},
      {"no match from a row", u"zebra", {0, 0, VK_F3}, {}, {1}, {}, -1},
      {"no match from no row", u"zebra", {0, 0, VK_F3}, {}, {}, {}, -1},
      {"next bookmark", u"", {0, 0, VK_F2}, {1, 3}, {1}, {3}, 3},
      {"previous bookmark from none", u"", {0, 1, VK_F2}, {1, 3}, {}, {3}, 3},
      {"no bookmark keeps the selection", u"", {0, 0, VK_F2}, {}, {4}, {4}, 4},
  };
  Fill("cat|dog|cat food|bird|the cat");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_doc->GetFindCriteria()->strText = c.search;
    m_doc->ClearBookmarks();
    for (int i : c.bookmarks) m_doc->SetBookmark(i, TRUE);
    Select(c.before);
    // Nothing selected: the focus and the anchor left on a row, as after a
    // click that took the only row out of the selection.
    if (c.before.empty()) List().SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED);
    if (c.before.empty()) List().SetSelectionMark(3);
    Press(c.key);
    EXPECT_EQ(Selected(), c.after);
    EXPECT_EQ(Focused(), c.focused);
  }
  // Ctrl+A selects every row and leaves the focus.
  Select({2});
  Press({true, false, 'A'});
  EXPECT_EQ(Selected(), (CIndexArray{0, 1, 2, 3, 4}));
  EXPECT_EQ(Focused(), 2);
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

TEST_F(ViewTest, TheEditMenuAndTheContextPopupFollowTheSelectedCount) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  Fill(kFill);
  CMenu menu;
  ASSERT_TRUE(menu.Load(IDR_MAINFRAME));
  HMENU edit = menu.GetSubMenu(1);
  // Entries that need exactly one, one or more, two or more rows.
  const UINT one[] = {32807, 32808, 32841, 32896};
  const UINT oneOrMore[] = {32816, 32828, 32863, 32862, 32811, 32809, 32864};
  const UINT twoOrMore[] = {32858, 32866};
  const UINT always[] = {32885, 32861, 32860, 32850, 32794, 32804, 32890, 32892, 32894};
  std::vector<std::wstring> opened;
  ASSERT_TRUE(
      ::SetWindowSubclass(View().Handle(), NotePopup, 1, reinterpret_cast<DWORD_PTR>(&opened)));
  NMHDR rightClick{View().ListHandle(), 1, static_cast<UINT>(NM_RCLICK)};
  for (const CIndexArray& selection : {CIndexArray{}, CIndexArray{1}, CIndexArray{0, 2}}) {
    const size_t n = selection.size();
    SCOPED_TRACE(n);
    Select(selection);
    View().OnInitMenuPopup(edit);
    for (UINT id : one) EXPECT_EQ(CMenu::IsItemEnabled(edit, id), n == 1) << id;
    for (UINT id : oneOrMore) EXPECT_EQ(CMenu::IsItemEnabled(edit, id), n >= 1) << id;
    for (UINT id : twoOrMore) EXPECT_EQ(CMenu::IsItemEnabled(edit, id), n >= 2) << id;
    for (UINT id : always) EXPECT_TRUE(CMenu::IsItemEnabled(edit, id)) << id;
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

TEST_F(ViewTest, ClicksOnTheNumberColumnToggleTheBookmark) {
  ::ShowWindow(m_host->Handle(), SW_SHOW);
  Fill(kFill);
  const HWND hList = View().ListHandle();
  // A click is taken where the pointer is. The pointer stays put and the
  // window moves under it: a pointer moved through X can report its former
  // place for a while under load, a window's place is the system's own.
  POINT pointer;
  ASSERT_TRUE(::GetCursorPos(&pointer));
  const struct {
    int column;
    bool bookmarked;
  } clicks[] = {{1, true}, {2, true}, {1, false}};  // a click on the text only selects
  for (const auto& click : clicks) {
    RECT cell{}, frame{};
    List().GetSubItemRect(2, click.column, cell);
    POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ::ClientToScreen(hList, &centre);
    ::GetWindowRect(m_host->Handle(), &frame);
    ::SetWindowPos(m_host->Handle(), nullptr, frame.left + pointer.x - centre.x,
                   frame.top + pointer.y - centre.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    NMHDR notice{hList, 1, static_cast<UINT>(NM_CLICK)};
    View().Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(Split(History())[2], click.bookmarked ? "hello World*" : "hello World")
        << click.column;
  }
}

}  // namespace
