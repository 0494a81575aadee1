#include "views/SmallClipDlg.h"

#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"
#include "ui/Dpi.h"
#include "views/ViewMessages.h"

namespace {
// A picture column of its own, then the number, the text and the time.
const HISTORY_COLUMNS kColumns = {1, 2, 3, 4};
// Posted to itself: the closing after a double-click's Activate, once the
// list has returned from the notice.
constexpr UINT WM_CLOSE_AND_PASTE_LATER = WM_APP + 1;
}  // namespace

CSmallClipDlg::CSmallClipDlg(CTanselDoc& doc, ITextServices& text, IUserPrompt& prompt,
                             IKeyEvents& keyEvents)
    : CDialog(IDD_SMALLCLIP),
      m_pDoc(&doc),
      m_rows(doc, text, kColumns),
      m_commands(doc, m_rows, *this, prompt),
      m_keyEvents(keyEvents) {}

POINT CSmallClipDlg::PlaceAtCursor(POINT cursor, SIZE window, SIZE screen) {
  POINT at = cursor;
  if (at.x + window.cx > screen.cx) at.x -= window.cx;
  if (at.y + window.cy > screen.cy) at.y -= window.cy;
  return at;
}

void CSmallClipDlg::ShowAtCursor() {
  const SIZE screen{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  POINT cursor{};
  ::GetCursorPos(&cursor);
  int width, height;
  CApplicationRegistry().GetSmallWindowSize(width, height);
  const POINT at = PlaceAtCursor(cursor, {width, height}, screen);
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, at.x, at.y, width, height, SWP_SHOWWINDOW);
  ::SetFocus(ListHandle());
}

BOOL CSmallClipDlg::OnInitDialog() {
  m_rows.Attach(Item(IDC_LIST));
  m_rows.LoadPictures(IDB_SMALLITEM, RGB(0, 132, 132));
  CListView& list = m_rows.List();
  list.SetExtendedStyle(LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
  const UINT dpi = WindowDpi(m_hWnd);
  list.InsertColumn(0, L"", LVCFMT_LEFT, 0);
  list.InsertColumn(1, L"", LVCFMT_LEFT, ScaleForDpi(20, dpi));
  list.InsertColumn(2, L"", LVCFMT_RIGHT, ScaleForDpi(25, dpi));
  list.InsertColumn(3, L"", LVCFMT_LEFT, ScaleForDpi(350, dpi));
  list.InsertColumn(4, L"", LVCFMT_LEFT, ScaleForDpi(115, dpi));
  m_commands.RegisterKeys(m_keys);
  RefreshItems(0);
  // The newest item is the selected one at once: Enter activates it.
  if (list.GetItemCount() > 0) {
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetSelectionMark(0);
  }
  return TRUE;
}

bool CSmallClipDlg::OnCommand(UINT id, UINT code, HWND control) {
  CRunning running(*this);
  if (code == 0 && m_commands.OnCommand(id)) return true;  // a popup's command
  return CDialog::OnCommand(id, code, control);
}

bool CSmallClipDlg::OnNotify(NMHDR& header, LRESULT& result) {
  CRunning running(*this);
  // Activate's closing destroys the list: not while the list is still
  // inside its double-click. The items are activated now, on the rows the
  // user clicked; only the closing waits.
  m_bCloseLater = header.code == LVN_ITEMACTIVATE;
  const bool bHandled = m_commands.OnListNotify(header, m_hWnd, result);
  m_bCloseLater = false;
  return bHandled;
}

INT_PTR CSmallClipDlg::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // Activation goes to the dialog manager, which sets the focus; the
      // window that closes has nothing left for it to do.
      return OnActivate(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_SIZE:
      if (HWND list = ListHandle()) {
        ::MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        ::InvalidateRect(list, nullptr, TRUE);
      }
      return TRUE;
    case WM_DESTROY:
      SaveSize();
      return FALSE;
    case WM_CLOSE_AND_PASTE_LATER: {
      CRunning running(*this);
      CloseAndPaste();
      return TRUE;
    }
  }
  return CDialog::DialogProc(message, wParam, lParam);
}

bool CSmallClipDlg::OnActivate(UINT nState) {
  // While a box or a dialog of its own is up, losing the activation to it
  // must not close the window under it.
  if (nState != WA_INACTIVE || m_bBusy) return false;
  SaveSize();
  // The main window destroys this window now; nothing may follow.
  ::SendMessageW(m_hWndMain, WM_CLIP_WINDOW_CLOSED, 0, 0);
  return true;
}

bool CSmallClipDlg::PreTranslateMessage(MSG& msg) {
  // Every key pressed anywhere in the window: the local keys first.
  if (msg.message == WM_KEYDOWN) {
    CRunning running(*this);
    if (m_keys.CallFunction(m_hWnd, msg.wParam)) return true;
  }
  return CDialog::PreTranslateMessage(msg);
}

void CSmallClipDlg::OnFinalMessage() {
  // After the window's last message: Escape, CloseAndPaste, or the main
  // window destroying it.
  ::SendMessageW(m_hWndMain, WM_CLIP_WINDOW_CLOSED, 0, 0);
}

void CSmallClipDlg::OnActivated() {
  if (m_bCloseLater)
    Post(WM_CLOSE_AND_PASTE_LATER);
  else
    CloseAndPaste();
}

void CSmallClipDlg::SetBusy(bool bBusy) {
  m_bBusy = bBusy ? TRUE : FALSE;
  AskToBeDeletedWhenDone();
}

void CSmallClipDlg::AskToBeDeletedWhenDone() const {
  // Closed while in use (its hotkey or Exit from the tray under its box, a
  // box shown after CloseAndPaste destroyed it): the main window kept the
  // object, and deletes it on this notice once nothing uses it.
  if (!IsInUse() && !m_hWnd && m_hWndMain)
    ::PostMessageW(m_hWndMain, WM_DELETE_CLOSED_CLIP_WINDOW, 0, 0);
}

void CSmallClipDlg::SaveSize() {
  RECT r;
  if (GetRestoredRect(r))
    CApplicationRegistry().SetSmallWindowSize(r.right - r.left, r.bottom - r.top);
}

void CSmallClipDlg::CloseAndPaste() {
  // Nothing of the window is used after it is gone.
  IKeyEvents& keys = m_keyEvents;
  ::DestroyWindow(m_hWnd);
  if (!CApplicationRegistry().GetDoPaste()) return;
  // Ctrl as the user holds it stays as it is.
  const bool bCtrlDown = (keys.GetKeyState(VK_CONTROL) & 0x80) != 0;
  if (!bCtrlDown) keys.KeyEvent(VK_CONTROL, 0, 0, 0);
  keys.KeyEvent(LOBYTE(keys.VkKeyScan(L'v')), 0, 0, 0);
  keys.KeyEvent(LOBYTE(keys.VkKeyScan(L'v')), 0, KEYEVENTF_KEYUP, 0);
  if (!bCtrlDown) keys.KeyEvent(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}
