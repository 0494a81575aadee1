#include "views/HistoryList.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "ui/WinText.h"

CHistoryList::CHistoryList(CTanselDoc& doc, ITextServices& text, const HISTORY_COLUMNS& columns)
    : m_doc(doc), m_text(text), m_columns(columns) {}

void CHistoryList::Attach(HWND hList) { m_list.Attach(hList); }

namespace {

// The row pictures, loaded once per process: one image list per kind of
// ordinary picture (the main list's, the clip window's), each holding that
// picture at 0 and the bookmark at 1, shared by every list of that kind. An
// ordinary picture that its mask makes wholly transparent is never drawn
// (I_IMAGENONE keeps its room): under Wine each picture drawn costs about
// 0.3 ms, and a list shows dozens.
struct ROW_PICTURES {
  HIMAGELIST hList = nullptr;
  int nOrdinary = 0;
  int nBookmark = 1;
};

const ROW_PICTURES* SharedPictures(UINT nOrdinaryBitmap, COLORREF ordinaryMask) {
  static std::vector<std::pair<UINT, std::pair<CImageListHandle, ROW_PICTURES>>> lists;
  for (const auto& entry : lists)
    if (entry.first == nOrdinaryBitmap) return &entry.second.second;
  // A mask, so that each bitmap's background colour shows the row beneath.
  CImageListHandle images = CreateImageList(17, 13, ILC_COLOR32 | ILC_MASK, 1, 1);
  ROW_PICTURES pictures;
  if (!images || AddMaskedBitmap(images.Get(), nOrdinaryBitmap, ordinaryMask) != 0 ||
      AddMaskedBitmap(images.Get(), IDB_BOOKMARK, RGB(0, 0, 0)) != 1)
    return nullptr;
  pictures.hList = images.Get();
  if (IsBitmapAllColour(nOrdinaryBitmap, ordinaryMask)) pictures.nOrdinary = I_IMAGENONE;
  lists.emplace_back(nOrdinaryBitmap, std::make_pair(std::move(images), pictures));
  return &lists.back().second.second;
}

// Copies text into the control's buffer, cut to fit, always terminated.
void CopyCell(const wchar_t* text, size_t length, LVITEMW& item) {
  if (!item.pszText || item.cchTextMax <= 0) return;
  const size_t n = std::min(length, static_cast<size_t>(item.cchTextMax - 1));
  std::wmemcpy(item.pszText, text, n);
  item.pszText[n] = L'\0';
}

}  // namespace

bool CHistoryList::LoadPictures(UINT nOrdinaryBitmap, COLORREF ordinaryMask) {
  const ROW_PICTURES* pPictures = SharedPictures(nOrdinaryBitmap, ordinaryMask);
  if (!pPictures) return false;
  m_nOrdinaryPicture = pPictures->nOrdinary;
  m_nBookmarkPicture = pPictures->nBookmark;
  return m_list.SetSharedImageList(pPictures->hList, LVSIL_SMALL);
}

void CHistoryList::Refresh(int nHint) {
  if (nHint >= 1) {
    if (nHint - 1 < m_list.GetItemCount()) m_list.RedrawItems(nHint - 1, nHint - 1);
    return;
  }
  const int nCount = m_doc.GetItemCount();
  if (m_list.GetItemCount() == nCount) {
    // The cells are asked for again as they are drawn.
    m_list.Invalidate();
    return;
  }
  // What a rebuild of every row leaves: no selection, no focus, no anchor,
  // the first row at the top.
  m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetSelectionMark(-1);
  m_list.SetItemCount(nCount);
  if (nCount > 0) m_list.EnsureVisible(0, false);
}

bool CHistoryList::OnGetDispInfo(NMLVDISPINFOW& info) const {
  if (info.hdr.hwndFrom != m_list.Handle()) return false;
  LVITEMW& cell = info.item;
  const CLIP_ITEM* pItem = m_doc.GetItem(cell.iItem);
  if (cell.mask & LVIF_IMAGE) {
    // Only the picture column has a picture. The others answer as a cell
    // only ever given a text (I_IMAGECALLBACK), which keeps no room for one;
    // the hidden column 0 too, since under Wine drawing its invisible
    // picture cost as much as the visible ones.
    if (cell.iSubItem == m_columns.nPicture && pItem)
      cell.iImage = pItem->bBookmark ? m_nBookmarkPicture : m_nOrdinaryPicture;
    else
      cell.iImage = I_IMAGECALLBACK;
  }
  if (!(cell.mask & LVIF_TEXT)) return true;
  CString16 text;
  if (pItem) {
    if (cell.iSubItem == m_columns.nNumber) {
      const std::wstring number = std::to_wstring(cell.iItem + 1);
      CopyCell(number.c_str(), number.size(), cell);
      return true;
    }
    if (cell.iSubItem == m_columns.nText)
      text = DisplayText(pItem->strText);
    else if (cell.iSubItem == m_columns.nTime)
      text = TimeText(pItem->tCreated);
  }
  CopyCell(WinText(text), text.size(), cell);
  return true;
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
  // No anchor (as after a rebuild) is row -1, which the control takes for
  // every row. An anchor off the selection means the selected row; with no
  // row selected the anchor's row still loses the focus.
  const int nMark = m_list.GetSelectionMark();
  const int nSelected = nMark >= 0 ? SelectedIndex() : -1;
  m_list.SetItemState(nSelected >= 0 ? nSelected : nMark, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

void CHistoryList::SelectAndShow(int nIndex) {
  m_list.EnsureVisible(nIndex, false);
  m_list.SetItemState(nIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetSelectionMark(nIndex);
}

void CHistoryList::SelectAll() { m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }
