#include "views/TanselListView.h"

#include <windowsx.h>

#include "resources/resource.h"
#include "ui/Dpi.h"

namespace {

const wchar_t kViewClass[] = L"TanselListView";
// The control's id inside the view.
constexpr UINT kListId = 1;
// "No" shows the number and the picture together.
const HISTORY_COLUMNS kColumns = {1, 1, 2, 3};
const wchar_t* const kHeaders[] = {L"", L"No", L"Text", L"Created Time"};
// Pixels at 96 DPI; the first column only carries the row.
const int kWidths[] = {0, 45, 300, 115};

}  // namespace

CTanselListView::CTanselListView(CTanselDoc& doc, ITextServices& text, IUserPrompt& prompt)
    : m_doc(doc), m_rows(doc, text, kColumns), m_commands(doc, m_rows, *this, prompt) {}

CTanselListView::~CTanselListView() {
  m_doc.RemoveView(this);
  Destroy();
}

bool CTanselListView::Create(HWND parent, const RECT& rect, UINT id) {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kViewClass;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  if (!RegisterClass(wc)) return false;
  return CWindow::Create(kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, rect.left,
                         rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CTanselListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_SIZE:
      ::MoveWindow(ListHandle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(ListHandle());
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_COMMAND:
      if (m_commands.OnCommand(LOWORD(wParam))) return 0;
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT CTanselListView::OnCreate() {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  // No single-selection style: the commands act on several rows at once.
  // Owner data: the rows' cells come from the history when they are drawn.
  if (!m_rows.List().Create(
          m_hWnd, kListId,
          WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS, client))
    return -1;
  m_rows.LoadPictures(IDB_ITEM, RGB(0, 0, 0));
  CListView& list = m_rows.List();
  list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT |
                        LVS_EX_INFOTIP | LVS_EX_LABELTIP);
  const UINT dpi = WindowDpi(m_hWnd);
  for (int i = 0; i < 4; ++i)
    list.InsertColumn(i, kHeaders[i], i == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT,
                      ScaleForDpi(kWidths[i], dpi));
  m_commands.RegisterKeys(m_keys);
  m_doc.AddView(this);
  m_rows.Refresh(0);
  return 0;
}

void CTanselListView::OnUpdate(int nHint) {
  if (m_hWnd) m_rows.Refresh(nHint);
}

bool CTanselListView::PreTranslateMessage(MSG& msg) {
  return msg.message == WM_KEYDOWN && m_keys.CallFunction(m_hWnd, msg.wParam) != 0;
}

LRESULT CTanselListView::OnNotify(NMHDR& header) {
  LRESULT result = 0;
  m_commands.OnListNotify(header, m_hWnd, result);
  return result;
}

void CTanselListView::OnContextMenu(HWND hWnd, POINT point) {
  // The mouse's popup comes with the list's right-click notice; what is left
  // is the keyboard's request (Shift+F10, the Menu key), at (-1, -1), which
  // opens the popup at the focused row. A right click on the column headers
  // opens nothing.
  if (hWnd != ListHandle() || point.x != -1 || point.y != -1) return;
  CListView& list = m_rows.List();
  const int nFocused = list.GetNextItem(-1, LVNI_FOCUSED);
  RECT row{};
  point = {0, 0};
  if (nFocused >= 0) {
    list.EnsureVisible(nFocused, false);
    if (list.GetSubItemRect(nFocused, 1, row)) point = {row.left, row.bottom};
  }
  ::ClientToScreen(ListHandle(), &point);
  m_commands.ShowContextMenu(point, m_hWnd);
}

void CTanselListView::OnDpiChanged(UINT dpi) {
  // The window moved to a screen of another DPI: the columns follow, as the
  // fonts do.
  for (int i = 1; i < 4; ++i)
    ListView_SetColumnWidth(ListHandle(), i, ScaleForDpi(kWidths[i], dpi));
}

void CTanselListView::OnActivated() { m_rows.DeselectAnchor(); }

HWND CTanselListView::DialogOwner() { return ::GetAncestor(m_hWnd, GA_ROOT); }
