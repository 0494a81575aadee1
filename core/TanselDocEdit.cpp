// Editing operations, bookmarks and search.
#include <memory>

#include "core/TanselDoc.h"

void CTanselDoc::RemoveItem(int nIndex) {
  ItemAt(nIndex);
  m_lstItems.RemoveAtAndDelete(nIndex);
  if (nIndex == 0 && !m_lstItems.IsEmpty())
    ActivateItem(0);
  else
    NotifyChange(-1);
}

void CTanselDoc::RemoveItems(const CIndexArray& arrIndexes) {
  bool bHeadRemoved = false;
  // From the last to the first, so that the indexes still to come stay valid.
  for (auto it = arrIndexes.rbegin(); it != arrIndexes.rend(); ++it) {
    ItemAt(*it);
    m_lstItems.RemoveAtAndDelete(*it);
    if (*it == 0) bHeadRemoved = true;
  }
  if (bHeadRemoved && !m_lstItems.IsEmpty())
    ActivateItem(0);
  else
    NotifyChange(-1);
}

void CTanselDoc::InvertItems(const CIndexArray& arrIndexes) {
  if (arrIndexes.empty()) return;
  for (int n : arrIndexes) ItemAt(n);  // nothing changes unless every index is valid
  const int nFirst = arrIndexes.front();
  // Unlinked from the last index to the first: the records come out in
  // reverse order, and the positions before the first stay as they were.
  std::vector<std::unique_ptr<CLIP_ITEM>> arrReversed;
  arrReversed.reserve(arrIndexes.size());
  for (auto it = arrIndexes.rbegin(); it != arrIndexes.rend(); ++it)
    arrReversed.push_back(m_lstItems.RemoveAt(*it));
  int nAt = nFirst;
  for (auto& pItem : arrReversed) m_lstItems.InsertAt(nAt++, std::move(pItem));
  if (nFirst == 0)
    ActivateItem(0);
  else
    NotifyChange(-1);
}

BOOL CTanselDoc::ActivateItems(const CIndexArray& arrIndexes) {
  CString16 strJoined;
  bool bFirst = true;
  for (int n : arrIndexes) {
    if (!bFirst) strJoined += u"\r\n";
    strJoined += ItemAt(n)->strText;
    bFirst = false;
  }
  // No skip flag: the joined text comes back as a new item.
  if (!PutTextOnClipboard(strJoined)) return FALSE;
  NotifyChange(-1);
  return TRUE;
}

void CTanselDoc::ReplaceItemText(int nIndex, CString16 strText) {
  ItemAt(nIndex)->strText = std::move(strText);
  if (nIndex != 0)
    NotifyChange(nIndex);
  else
    ActivateItem(0);
}

void CTanselDoc::SetBookmark(int nIndex, BOOL bBookmark) {
  ItemAt(nIndex)->bBookmark = bBookmark;
  NotifyChange(nIndex);
}

void CTanselDoc::ToggleBookmark(int nIndex) {
  CLIP_ITEM* pItem = ItemAt(nIndex);
  pItem->bBookmark = pItem->bBookmark ? FALSE : TRUE;
  NotifyChange(nIndex);
}

void CTanselDoc::ClearBookmarks() {
  for (int i = 0, n = GetItemCount(); i < n; ++i) m_lstItems.GetAt(i)->bBookmark = FALSE;
  NotifyChange(-1);
}

int CTanselDoc::GetNextBookmark(int nIndex) const {
  const int n = GetItemCount();
  for (int i = nIndex + 1; i < n; ++i)
    if (m_lstItems.GetAt(i)->bBookmark) return i;
  for (int i = 0; i < n; ++i)
    if (m_lstItems.GetAt(i)->bBookmark) return i;
  return -1;
}

int CTanselDoc::GetPreviousBookmark(int nIndex) const {
  const int n = GetItemCount();
  if (nIndex == -1) nIndex = n;
  for (int i = std::min(nIndex - 1, n - 1); i >= 0; --i)
    if (m_lstItems.GetAt(i)->bBookmark) return i;
  for (int i = n - 1; i >= 0; --i)
    if (m_lstItems.GetAt(i)->bBookmark) return i;
  return -1;
}

void CTanselDoc::ClearList() {
  m_lstItems.DeleteAll();
  NotifyChange(-1);
}

BOOL CTanselDoc::MatchFindCriteria(void* pContext, uint32_t, CLIP_ITEM* pItem) {
  // The context is the document: the predicate needs the criteria and the
  // matcher that holds the locale services and the search's buffers.
  CTanselDoc* pDoc = static_cast<CTanselDoc*>(pContext);
  return pDoc->m_oMatcher.Matches(pDoc->m_oFindCriteria, pItem->strText) ? TRUE : FALSE;
}

int CTanselDoc::FindNext(int nIndex, BOOL bWrap) const {
  if (m_oFindCriteria.strText.empty()) return -1;
  int n = m_lstItems.FindForward(0, nIndex + 1);
  if (n != -1 || !bWrap) return n;
  return m_lstItems.FindFirst(0);
}

int CTanselDoc::FindPrevious(int nIndex) const {
  if (m_oFindCriteria.strText.empty()) return -1;
  int n = m_lstItems.FindBackward(0, nIndex - 1);
  if (n != -1) return n;
  return m_lstItems.FindLast(0);
}

void CTanselDoc::BookmarkAll() {
  for (int n = FindNext(-1, FALSE); n != -1; n = FindNext(n, FALSE)) SetBookmark(n, TRUE);
}
