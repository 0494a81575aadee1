#include "ui/Dialog.h"

#include <algorithm>

#include "ui/WinText.h"

namespace {

// One message filter hook per thread while any modal dialog runs; nested
// dialogs share it.
thread_local HHOOK t_hMsgFilter = nullptr;
thread_local int t_nModalDepth = 0;

LRESULT CALLBACK MsgFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX) {
    bool bConsumed;
    try {
      bConsumed = CWindowBase::PreTranslate(*reinterpret_cast<MSG*>(lParam));
    } catch (...) {
      bConsumed = true;
    }
    if (bConsumed) return 1;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class CModalFilter {
 public:
  CModalFilter() {
    if (t_nModalDepth++ == 0)
      t_hMsgFilter =
          ::SetWindowsHookExW(WH_MSGFILTER, MsgFilterProc, nullptr, ::GetCurrentThreadId());
  }
  ~CModalFilter() {
    if (--t_nModalDepth == 0 && t_hMsgFilter) {
      ::UnhookWindowsHookEx(t_hMsgFilter);
      t_hMsgFilter = nullptr;
    }
  }
  CModalFilter(const CModalFilter&) = delete;
  CModalFilter& operator=(const CModalFilter&) = delete;
};

}  // namespace

CDialog::~CDialog() {
  // A modal dialog ends inside DoModal; only a modeless one can outlive it.
  if (!m_bModal) DestroyOwned(DWLP_USER);
}

INT_PTR CDialog::DoModal(HWND parent) {
  if (m_hWnd) return -1;
  m_bModal = true;
  CModalFilter filter;
  const INT_PTR result =
      ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId), parent,
                        &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
  m_bModal = false;
  return result;
}

bool CDialog::CreateModeless(HWND parent) {
  if (m_hWnd) return false;
  m_bModal = false;
  return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplateId), parent,
                              &CDialog::StaticDialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
  if (!m_hWnd) return;
  if (m_bModal)
    ::EndDialog(m_hWnd, result);
  else
    ::DestroyWindow(m_hWnd);
}

bool CDialog::PreTranslateMessage(MSG& msg) {
  // The modal loop runs IsDialogMessage itself, after the filter.
  if (m_bModal || !m_hWnd) return false;
  return ::IsDialogMessageW(m_hWnd, &msg) != FALSE;
}

void CDialog::CenterOverOwner() const {
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  const bool bOverOwner = owner && ::IsWindowVisible(owner);
  // The work area of the screen the dialog will be on.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(bOverOwner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST),
                    &monitor);
  const RECT& work = monitor.rcWork;
  RECT area = work, dialog;
  if (bOverOwner) ::GetWindowRect(owner, &area);
  ::GetWindowRect(m_hWnd, &dialog);
  const LONG width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
  // Centred, but wholly on the screen: an owner at the screen's edge would
  // push half of it off.
  LONG x = area.left + (area.right - area.left - width) / 2;
  LONG y = area.top + (area.bottom - area.top - height) / 2;
  x = std::max(work.left, std::min(x, work.right - width));
  y = std::max(work.top, std::min(y, work.bottom - height));
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CString16 CDialog::GetItemText(int id) const {
  HWND hItem = Item(id);
  if (!hItem) return CString16();
  const int nLength = ::GetWindowTextLengthW(hItem);
  if (nLength <= 0) return CString16();
  CString16 text(static_cast<size_t>(nLength) + 1, u'\0');
  const int nCopied = ::GetWindowTextW(hItem, WinText(&text[0]), nLength + 1);
  text.resize(nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
  return text;
}

bool CDialog::SetItemText(int id, const CString16& text) const {
  return SetItemText(id, WinText(text));
}

bool CDialog::SetItemText(int id, const wchar_t* text) const {
  return ::SetDlgItemTextW(m_hWnd, id, text) != FALSE;
}

bool CDialog::IsItemChecked(int id) const {
  return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CDialog::CheckItem(int id, bool checked) const {
  ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialog::EnableItem(int id, bool enabled) const {
  ::EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

bool CDialog::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
  }
  return false;
}

bool CDialog::OnNotify(NMHDR&, LRESULT&) { return false; }

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                       : FALSE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
      SetMessageResult(result);
      return TRUE;
    }
  }
  return FALSE;
}

void CDialog::SetMessageResult(LRESULT result) const {
  ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* pDialog;
  if (message == WM_INITDIALOG) {
    pDialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
    if (pDialog) pDialog->Bind(hWnd);
  } else {
    pDialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
  }
  // WM_SETFONT comes before WM_INITDIALOG.
  if (!pDialog) return FALSE;

  INT_PTR result;
  try {
    result = pDialog->DialogProc(message, wParam, lParam);
  } catch (...) {
    // An item index that names no item, or memory running out, ends the
    // message; the dialog stays.
    result = TRUE;
  }
  if (message == WM_NCDESTROY) pDialog->FinishNcDestroy(hWnd, DWLP_USER);
  return result;
}
