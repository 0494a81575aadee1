#include "views/HistoryList.h"

#include <string>

#include "resources/resource.h"
#include "ui/WinText.h"

CHistoryList::CHistoryList(CTanselDoc& doc, ITextServices& text, const HISTORY_COLUMNS& columns)
    : m_doc(doc), m_text(text), m_columns(columns) {}

void CHistoryList::Attach(HWND hList) { m_list.Attach(hList); }

bool CHistoryList::LoadPictures(UINT nOrdinaryBitmap, COLORREF ordinaryMask) {
  // A mask, so that each bitmap's background colour shows the row beneath.
  CImageListHandle images = CreateImageList(17, 13, ILC_COLOR32 | ILC_MASK, 1, 1);
  if (!images) return false;
  m_nOrdinaryPicture = AddMaskedBitmap(images.Get(), nOrdinaryBitmap, ordinaryMask);
  m_nBookmarkPicture = AddMaskedBitmap(images.Get(), IDB_BOOKMARK, RGB(0, 0, 0));
  return m_nOrdinaryPicture >= 0 && m_nBookmarkPicture >= 0 &&
         m_list.SetImageList(images, LVSIL_SMALL);
}

void CHistoryList::Refresh(int nHint) {
  if (nHint >= 1) {
    if (const CLIP_ITEM* pItem = m_doc.GetItem(nHint - 1)) SetRow(nHint - 1, *pItem);
    return;
  }
  const int nCount = m_doc.GetItemCount();
  // Drawn once at the end, not row by row.
  CRedrawSuspend suspend(m_list);
  if (m_list.GetItemCount() != nCount) {
    m_list.DeleteAllItems();
    for (int i = 0; i < nCount; ++i) {
      m_list.InsertItem(i, L"");
      SetRow(i, *m_doc.GetItem(i));
    }
  } else {
    for (int i = 0; i < nCount; ++i) SetRow(i, *m_doc.GetItem(i));
  }
}

void CHistoryList::SetRow(int nIndex, const CLIP_ITEM& item) {
  const std::wstring number = std::to_wstring(nIndex + 1);
  const int nPicture = item.bBookmark ? m_nBookmarkPicture : m_nOrdinaryPicture;
  if (m_columns.nNumber == m_columns.nPicture) {
    m_list.SetItem(nIndex, m_columns.nPicture, number.c_str(), nPicture);
  } else {
    m_list.SetItem(nIndex, m_columns.nPicture, L"", nPicture);
    m_list.SetItemText(nIndex, m_columns.nNumber, number.c_str());
  }
  m_list.SetItemText(nIndex, m_columns.nText, DisplayText(item.strText));
  m_list.SetItemText(nIndex, m_columns.nTime, TimeText(item.tCreated));
}

CString16 CHistoryList::DisplayText(const CString16& strText) {
  // The cut comes first: only what is shown is escaped, and a shown text may
  // be longer than the cut.
  CString16 shown = strText.substr(0, kDisplayChars);
  CTanselDoc::EscapeForDisplay(shown);
  return shown;
}

CString16 CHistoryList::TimeText(int64_t tCreated) const {
  std::tm local{};
  CString16 text;
  if (!m_text.ToLocalTime(tCreated, local) ||
      !m_text.FormatTime(u"%Y.%m.%d %H:%M:%S", local, 128, text))
    text.clear();
  return text;
}

int CHistoryList::SelectedIndex() const {
  // The anchor is the row the user last picked; a selection made by the
  // program may leave it elsewhere, so a selected row is taken then.
  const int nMark = m_list.GetSelectionMark();
  if (nMark >= 0 && (m_list.GetItemState(nMark, LVIS_SELECTED) & LVIS_SELECTED)) return nMark;
  return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CHistoryList::DeselectAnchor() {
  const int nAnchor = SelectedIndex();
  if (nAnchor >= 0) m_list.SetItemState(nAnchor, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

void CHistoryList::SelectAndShow(int nIndex) {
  m_list.EnsureVisible(nIndex, false);
  m_list.SetItemState(nIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetSelectionMark(nIndex);
}

void CHistoryList::SelectAll() { m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }
