#include "ui/ListView.h"

#include "ui/WinText.h"

bool CListView::InitCommonControls() {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
  return ::InitCommonControlsEx(&icc) != FALSE;
}

bool CListView::Create(HWND parent, UINT id, DWORD style, const RECT& rect, DWORD exStyle) {
  m_hWnd = ::CreateWindowExW(exStyle, WC_LISTVIEWW, L"", style | WS_CHILD, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
  return m_hWnd != nullptr;
}

DWORD CListView::GetExtendedStyle() const {
  return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void CListView::SetExtendedStyle(DWORD exStyle) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle); }

bool CListView::SetSharedImageList(HIMAGELIST list, int which) {
  if (!(::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & LVS_SHAREIMAGELISTS)) return false;
  Send(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list));
  return GetImageList(which) == list;
}

HIMAGELIST CListView::GetImageList(int which) const {
  return reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, which, 0));
}

int CListView::InsertColumn(int index, const wchar_t* header, int format, int width) {
  LVCOLUMNW column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(header);
  column.iSubItem = index;
  return static_cast<int>(Send(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

bool CListView::DeleteColumn(int index) { return Send(LVM_DELETECOLUMN, index, 0) != FALSE; }

int CListView::GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0)); }

int CListView::InsertItem(int index, const wchar_t* text, int image) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text);
  item.iImage = image;
  return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListView::SetItemCount(int count) {
  return Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0) != FALSE;
}

bool CListView::RedrawItems(int first, int last) {
  return Send(LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last)) != FALSE;
}

void CListView::Invalidate() { ::InvalidateRect(m_hWnd, nullptr, FALSE); }

bool CListView::SetItemText(int index, int subItem, const wchar_t* text) {
  LVITEMW item = {};
  item.iSubItem = subItem;
  item.pszText = const_cast<wchar_t*>(text);
  return Send(LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

bool CListView::SetItemText(int index, int subItem, const CString16& text) {
  return SetItemText(index, subItem, WinText(text));
}

CString16 CListView::GetItemText(int index, int subItem) const {
  // LVM_GETITEMTEXTW gives no length up front: grow until the text fits.
  CString16 text;
  for (size_t nCapacity = 256;; nCapacity *= 2) {
    text.assign(nCapacity, u'\0');
    LVITEMW item = {};
    item.iSubItem = subItem;
    item.pszText = WinText(&text[0]);
    item.cchTextMax = static_cast<int>(nCapacity);
    const size_t nLength =
        static_cast<size_t>(Send(LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
    if (nLength + 1 < nCapacity || nCapacity >= (1u << 24)) {
      text.resize(nLength);
      return text;
    }
  }
}

int CListView::GetItemImage(int index, int subItem) const {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iSubItem = subItem;
  if (!Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}

bool CListView::SetItemData(int index, LPARAM data) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = data;
  return Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

LPARAM CListView::GetItemData(int index) const {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

bool CListView::SetItemState(int index, UINT state, UINT mask) {
  LVITEMW item = {};
  item.state = state;
  item.stateMask = mask;
  return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) !=
         FALSE;
}

UINT CListView::GetItemState(int index, UINT mask) const {
  return static_cast<UINT>(Send(LVM_GETITEMSTATE, index, mask));
}

int CListView::GetSelectedCount() const {
  return static_cast<int>(Send(LVM_GETSELECTEDCOUNT, 0, 0));
}

int CListView::GetSelectionMark() const {
  return static_cast<int>(Send(LVM_GETSELECTIONMARK, 0, 0));
}

int CListView::SetSelectionMark(int index) {
  return static_cast<int>(Send(LVM_SETSELECTIONMARK, 0, index));
}

int CListView::GetNextItem(int start, UINT flags) const {
  return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}

std::vector<int> CListView::GetSelectedIndexes() const {
  std::vector<int> indexes;
  indexes.reserve(static_cast<size_t>(GetSelectedCount()));
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
    indexes.push_back(i);
  return indexes;
}

bool CListView::EnsureVisible(int index, bool partialOk) {
  return Send(LVM_ENSUREVISIBLE, index, partialOk ? TRUE : FALSE) != FALSE;
}

int CListView::GetTopIndex() const { return static_cast<int>(Send(LVM_GETTOPINDEX, 0, 0)); }

int CListView::SubItemHitTest(POINT point, int* subItem) const {
  LVHITTESTINFO info = {};
  info.pt = point;
  const int index = static_cast<int>(Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (subItem) *subItem = info.iSubItem;
  return index >= 0 ? info.iItem : -1;
}

bool CListView::GetSubItemRect(int index, int subItem, RECT& rect) const {
  rect = {};
  rect.top = subItem;
  rect.left = LVIR_BOUNDS;
  return Send(LVM_GETSUBITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != FALSE;
}
