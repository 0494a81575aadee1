#include "views/HistoryCommands.h"

#include <algorithm>
#include <vector>

#include "resources/resource.h"
#include "ui/Menu.h"
#include "views/FindDlg.h"
#include "views/ViewItemDlg.h"

namespace {

// How many rows a command needs for its "&Edit" menu entry to be enabled.
enum Rule { kAlways, kOne, kOneOrMore, kTwoOrMore };

struct HISTORY_COMMAND {
  UINT nMainId, nItemId, nMultiId;  // 0: not in that menu
  Rule eRule;
  void (CHistoryCommands::*pfnRun)();
};

const HISTORY_COMMAND kCommands[] = {
    {ID_EDIT_ACTIVATE, ID_ITEM_ACTIVATE, ID_MULTI_ACTIVATE, kOneOrMore,
     &CHistoryCommands::Activate},
    {ID_EDIT_PREVIEW, ID_ITEM_PREVIEW, 0, kOne, &CHistoryCommands::Preview},
    {ID_EDIT_EDIT, ID_ITEM_EDIT, 0, kOne, &CHistoryCommands::Edit},
    {ID_EDIT_REVERT, ID_ITEM_REVERT, 0, kAlways, &CHistoryCommands::Revert},
    {ID_EDIT_BOOKMARK, ID_ITEM_BOOKMARK, 0, kOne, &CHistoryCommands::Bookmark},
    {ID_EDIT_NEXT_BOOKMARK, ID_ITEM_NEXT_BOOKMARK, 0, kAlways, &CHistoryCommands::NextBookmark},
    {ID_EDIT_PREV_BOOKMARK, ID_ITEM_PREV_BOOKMARK, 0, kAlways, &CHistoryCommands::PreviousBookmark},
    {ID_EDIT_CLEAR_BOOKMARKS, ID_ITEM_CLEAR_BOOKMARKS, 0, kAlways,
     &CHistoryCommands::ClearBookmarks},
    {ID_EDIT_REMOVE, ID_ITEM_REMOVE, ID_MULTI_REMOVE, kOneOrMore, &CHistoryCommands::Remove},
    {ID_EDIT_INVERT, 0, ID_MULTI_INVERT, kTwoOrMore, &CHistoryCommands::Invert},
    {ID_EDIT_INVERT_ACTIVATE, 0, ID_MULTI_INVERT_ACTIVATE, kTwoOrMore,
     &CHistoryCommands::InvertAndActivate},
    {ID_EDIT_MAKE_OBJECT, ID_ITEM_MAKE_OBJECT, 0, kOne, &CHistoryCommands::MakeObject},
    {ID_EDIT_FROM_ID, ID_ITEM_FROM_ID, ID_MULTI_FROM_ID, kOneOrMore,
     &CHistoryCommands::ConvertFromID},
    {ID_EDIT_TO_ID, ID_ITEM_TO_ID, ID_MULTI_TO_ID, kOneOrMore, &CHistoryCommands::ConvertToID},
    {ID_EDIT_LOWERCASE, ID_ITEM_LOWERCASE, ID_MULTI_LOWERCASE, kOneOrMore,
     &CHistoryCommands::Lowercase},
    {ID_EDIT_UPPERCASE, ID_ITEM_UPPERCASE, ID_MULTI_UPPERCASE, kOneOrMore,
     &CHistoryCommands::Uppercase},
    {ID_EDIT_TITLE, ID_ITEM_TITLE, ID_MULTI_TITLE, kOneOrMore, &CHistoryCommands::Title},
    {ID_EDIT_FIND, 0, 0, kAlways, &CHistoryCommands::Find},
    {ID_EDIT_FIND_NEXT, 0, 0, kAlways, &CHistoryCommands::FindNext},
    {ID_EDIT_FIND_PREVIOUS, 0, 0, kAlways, &CHistoryCommands::FindPrevious},
};

// The "Date and Time" entries of the main menu and of the popups, in the
// order of the formats.
const UINT kMainDateIds[kDateTimeFormatCount] = {32794, 32795, 32796, 32797, 32798,
                                                 32799, 32800, 32801, 32803, 32804};
const UINT kItemDateIds[kDateTimeFormatCount] = {32817, 32818, 32819, 32820, 32821,
                                                 32822, 32823, 32824, 32825, 32826};

// The popups of the context menu resource, by position.
enum { kItemPopup = 0, kMultiItemPopup = 1, kNoSelectedItemPopup = 2 };

}  // namespace

CHistoryCommands::CHistoryCommands(CTanselDoc& doc, CHistoryList& list, IHistoryCommandHost& host,
                                   IUserPrompt& prompt)
    : m_doc(doc), m_list(list), m_host(host), m_prompt(prompt) {}

bool CHistoryCommands::OnCommand(UINT nId) {
  for (int i = 0; i < kDateTimeFormatCount; ++i) {
    if (nId == kMainDateIds[i] || nId == kItemDateIds[i]) {
      InsertDateTime(i);
      return true;
    }
  }
  for (const HISTORY_COMMAND& command : kCommands) {
    if (nId != 0 && (nId == command.nMainId || nId == command.nItemId || nId == command.nMultiId)) {
      (this->*command.pfnRun)();
      return true;
    }
  }
  return false;
}

void CHistoryCommands::UpdateMenu(HMENU hMenu) {
  const int nCount = m_list.SelectedCount();
  for (const HISTORY_COMMAND& command : kCommands) {
    bool bEnabled = true;
    switch (command.eRule) {
      case kAlways:
        break;
      case kOne:
        bEnabled = nCount == 1;
        break;
      case kOneOrMore:
        bEnabled = nCount >= 1;
        break;
      case kTwoOrMore:
        bEnabled = nCount >= 2;
        break;
    }
    CMenu::EnableItem(hMenu, command.nMainId, bEnabled);
  }
}

void CHistoryCommands::RegisterKeys(CKeyboardAccelerator& keys) {
  struct KEY {
    int ctrl, alt, shift;
    WORD vk;
    void (CHistoryCommands::*pfnRun)();
  };
  static const KEY kKeys[] = {
      {1, 0, 0, 'A', &CHistoryCommands::SelectAll},
      {1, 0, 0, VK_F2, &CHistoryCommands::Bookmark},
      {0, 0, 0, VK_F2, &CHistoryCommands::NextBookmark},
      {0, 0, 1, VK_F2, &CHistoryCommands::PreviousBookmark},
      {1, 0, 0, 'F', &CHistoryCommands::Find},
      {0, 0, 0, VK_F3, &CHistoryCommands::FindNext},
      {0, 0, 1, VK_F3, &CHistoryCommands::FindPrevious},
      {1, 0, 0, VK_RETURN, &CHistoryCommands::Edit},
      {1, 0, 1, 'U', &CHistoryCommands::Uppercase},
      {1, 0, 0, 'U', &CHistoryCommands::Lowercase},
      {1, 0, 0, 'T', &CHistoryCommands::Title},
      {1, 0, 0, 'O', &CHistoryCommands::MakeObject},
      {1, 0, 0, 'D', &CHistoryCommands::ConvertFromID},
      {1, 0, 1, 'D', &CHistoryCommands::ConvertToID},
      {0, 0, 0, VK_RETURN, &CHistoryCommands::Activate},
      {0, 0, 0, VK_DELETE, &CHistoryCommands::Remove},
      {1, 0, 0, 'I', &CHistoryCommands::Invert},
      {1, 0, 1, 'I', &CHistoryCommands::InvertAndActivate},
  };
  for (const KEY& key : kKeys)
    keys.AddHotkeyFunction(key.ctrl, key.alt, key.shift, key.vk,
                           [this, run = key.pfnRun] { (this->*run)(); });
}

void CHistoryCommands::OnClick(POINT point) {
  int nColumn = -1;
  const int nRow = m_list.List().SubItemHitTest(point, &nColumn);
  if (nRow >= 0 && nColumn == 1) m_doc.ToggleBookmark(nRow);
}

void CHistoryCommands::ShowContextMenu(POINT screenPoint, HWND owner) {
  CMenu menu;
  if (!menu.Load(IDR_CONTEXTMENU)) return;
  const int nCount = m_list.SelectedCount();
  const int nPopup =
      nCount == 0 ? kNoSelectedItemPopup : (nCount == 1 ? kItemPopup : kMultiItemPopup);
  CMenu::TrackPopup(menu.GetSubMenu(nPopup), owner, screenPoint);
}

bool CHistoryCommands::OnListNotify(NMHDR& header, HWND popupOwner, LRESULT& result) {
  const HWND hList = m_list.List().Handle();
  if (header.hwndFrom != hList) return false;
  POINT point;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      m_list.OnGetDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(&header));
      result = 0;
      return true;
    case NM_CLICK:
      ::GetCursorPos(&point);
      ::ScreenToClient(hList, &point);
      OnClick(point);
      result = 0;
      return true;
    case NM_RCLICK:
      ::GetCursorPos(&point);
      ShowContextMenu(point, popupOwner);
      result = TRUE;  // handled: no WM_CONTEXTMENU after it
      return true;
    case LVN_ITEMACTIVATE:
      Activate();
      result = 0;
      return true;
  }
  return false;
}

bool CHistoryCommands::StartIndex(int& nStart) const {
  const int nCount = m_list.SelectedCount();
  if (nCount > 1) return false;
  nStart = nCount == 1 ? m_list.SelectedIndex() : -1;
  return true;
}

int CHistoryCommands::Ask(const wchar_t* text, UINT type) {
  m_host.SetBusy(true);
  const int nAnswer = m_prompt.Show(text, type);
  m_host.SetBusy(false);
  return nAnswer;
}

INT_PTR CHistoryCommands::RunItemEditor(UINT nMode, const CLIP_ITEM& item, CString16& strText) {
  CViewItemDlg dialog(nMode, item.strText);
  m_host.SetBusy(true);
  const INT_PTR nResult = dialog.DoModal(m_host.DialogOwner());
  m_host.SetBusy(false);
  strText = std::move(dialog.m_strText);
  return nResult;
}

void CHistoryCommands::Activate() {
  const int nCount = m_list.SelectedCount();
  if (nCount == 0) return;
  if (nCount == 1)
    m_doc.ActivateItem(m_list.SelectedIndex());
  else
    m_doc.ActivateItems(m_list.SelectedIndexes());
  m_host.OnActivated();
}

void CHistoryCommands::Preview() {
  if (m_list.SelectedCount() != 1) return;
  CString16 strIgnored;
  RunItemEditor(CViewItemDlg::MODE_PREVIEW, *m_doc.ItemAt(m_list.SelectedIndex()), strIgnored);
}

void CHistoryCommands::Edit() {
  if (m_list.SelectedCount() != 1) return;
  // The item, not its row: copies made while the editor is up move it down.
  const CLIP_ITEM* pItem = m_doc.ItemAt(m_list.SelectedIndex());
  const uint64_t nSerial = pItem->nSerial;
  CString16 strText;
  // pItem may be gone once the editor has returned.
  switch (RunItemEditor(CViewItemDlg::MODE_EDIT, *pItem, strText)) {
    case CViewItemDlg::RESULT_APPEND:
      // The capture brings the text back as the newest item.
      m_doc.PutTextOnClipboard(strText);
      m_host.OnTextInserted();
      break;
    case CViewItemDlg::RESULT_REPLACE: {
      // An item that left the history meanwhile has nothing to replace.
      const int nIndex = m_doc.IndexOf(nSerial);
      if (nIndex >= 0) m_doc.ReplaceItemText(nIndex, std::move(strText));
      break;
    }
  }
}

void CHistoryCommands::Revert() { m_doc.ActivateItem(1); }

void CHistoryCommands::Bookmark() {
  if (m_list.SelectedCount() == 1) m_doc.ToggleBookmark(m_list.SelectedIndex());
}

void CHistoryCommands::Navigate(const std::function<int(int)>& find, bool bDeselectFirst) {
  const int nCount = m_list.SelectedCount();
  if (nCount > 1) return;
  const int nStart = nCount == 1 ? m_list.SelectedIndex() : -1;
  if (bDeselectFirst) m_list.DeselectAnchor();
  const int nFound = find(nStart);
  if (nFound < 0) return;
  if (!bDeselectFirst) m_list.DeselectAnchor();
  m_list.SelectAndShow(nFound);
}

// A bookmark jump that finds nothing keeps the selection.
void CHistoryCommands::NextBookmark() {
  Navigate([this](int n) { return m_doc.GetNextBookmark(n); }, false);
}
void CHistoryCommands::PreviousBookmark() {
  Navigate([this](int n) { return m_doc.GetPreviousBookmark(n); }, false);
}

void CHistoryCommands::ClearBookmarks() {
  if (Ask(L"Are you sure you want to clear all bookmarks?", MB_YESNO) == IDYES)
    m_doc.ClearBookmarks();
}

void CHistoryCommands::Remove() {
  const int nCount = m_list.SelectedCount();
  if (nCount == 0) return;
  // The items the user confirms, not their rows: copies made while the box is
  // up move them down, and may push the oldest out.
  std::vector<uint64_t> items;
  for (int nIndex : m_list.SelectedIndexes()) items.push_back(m_doc.ItemAt(nIndex)->nSerial);
  const wchar_t* text = nCount == 1 ? L"Are you sure you want to remove this item?"
                                    : L"Are you sure you want to remove this items?";
  if (Ask(text, MB_YESNO) != IDYES) return;
  CIndexArray indexes;
  for (uint64_t nSerial : items)
    if (int nIndex = m_doc.IndexOf(nSerial); nIndex >= 0) indexes.push_back(nIndex);
  if (indexes.empty()) return;
  std::sort(indexes.begin(), indexes.end());
  if (nCount == 1)
    m_doc.RemoveItem(indexes.front());
  else
    m_doc.RemoveItems(indexes);
}

void CHistoryCommands::Invert() {
  if (m_list.SelectedCount() < 2) return;
  const CIndexArray indexes = m_list.SelectedIndexes();
  for (size_t i = 1; i < indexes.size(); ++i) {
    if (indexes[i] != indexes[i - 1] + 1) {
      Ask(L"You have to select contiguous items.", MB_OK | MB_ICONINFORMATION);
      return;
    }
  }
  m_doc.InvertItems(indexes);
}

void CHistoryCommands::InvertAndActivate() {
  if (m_list.SelectedCount() < 2) return;
  // A selection with a gap is activated as it stands, after the message.
  Invert();
  Activate();
}

void CHistoryCommands::MakeObject() {
  if (m_list.SelectedCount() == 1) m_doc.SmartMakeObject(m_list.SelectedIndex(), FALSE);
}

// One item: the result goes to the clipboard and becomes a new item. Several:
// each changes in place.
void CHistoryCommands::ConvertFromID() {
  const int nCount = m_list.SelectedCount();
  if (nCount == 1)
    m_doc.SmartConvertFromID(m_list.SelectedIndex(), FALSE);
  else if (nCount > 1)
    m_doc.SmartConvertFromIDItems(m_list.SelectedIndexes());
}

void CHistoryCommands::ConvertToID() {
  const int nCount = m_list.SelectedCount();
  if (nCount == 1)
    m_doc.SmartConvertToID(m_list.SelectedIndex(), FALSE);
  else if (nCount > 1)
    m_doc.SmartConvertToIDItems(m_list.SelectedIndexes());
}

void CHistoryCommands::ChangeCase(int nMode) {
  const int nCount = m_list.SelectedCount();
  if (nCount == 1)
    m_doc.ChangeCase(m_list.SelectedIndex(), nMode, FALSE);
  else if (nCount > 1)
    m_doc.ChangeCaseItems(m_list.SelectedIndexes(), nMode);
}

void CHistoryCommands::Lowercase() { ChangeCase(CASE_LOWER); }
void CHistoryCommands::Uppercase() { ChangeCase(CASE_UPPER); }
void CHistoryCommands::Title() { ChangeCase(CASE_TITLE); }

void CHistoryCommands::InsertDateTime(int nFormat) {
  m_doc.InsertDateTime(kDateTimeFormats[nFormat]);
  m_host.OnTextInserted();
}

void CHistoryCommands::Find() {
  CFindDlg dialog(*m_doc.GetFindCriteria());
  m_host.SetBusy(true);
  const INT_PTR nResult = dialog.DoModal(m_host.DialogOwner());
  // Not busy any more before the search runs.
  m_host.SetBusy(false);
  if (nResult == CFindDlg::RESULT_FIND_NEXT)
    FindNext();
  else if (nResult == CFindDlg::RESULT_BOOKMARK_ALL)
    m_doc.BookmarkAll();
}

// A search deselects before it runs: one that finds nothing leaves no row
// selected.
void CHistoryCommands::FindNext() {
  Navigate([this](int n) { return m_doc.FindNext(n, TRUE); }, true);
}
void CHistoryCommands::FindPrevious() {
  Navigate([this](int n) { return m_doc.FindPrevious(n); }, true);
}

void CHistoryCommands::SelectAll() { m_list.SelectAll(); }
