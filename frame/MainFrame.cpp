#include "frame/MainFrame.h"

#include <shellapi.h>
#include <windowsx.h>
#include <algorithm>

#include "frame/Docking.h"
#include "frame/PrivateMessages.h"
#include "frame/TanselApp.h"
#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"
#include "settings/win/AboutDlg.h"
#include "settings/win/OptionsDlg.h"
#include "ui/Menu.h"
#include "views/ViewItemDlg.h"

namespace {

const wchar_t kFrameClass[] = L"TanselMainFrame";
const wchar_t kIdentityClass[] = L"TanselIdentity";
// The product's page, opened by "Visit Tansel Online".
const wchar_t kProductPage[] = L"https://www.orvelle.example/tansel";
constexpr UINT kViewId = 0xE900;
// Sent when the window moves to a screen of another DPI (Windows 8.1 on).
constexpr UINT kWmDpiChanged = 0x02E0;

}  // namespace

const CMainFrame::MESSAGE_HANDLER CMainFrame::kHandlers[] = {
    {WM_SHOW_MAIN_WINDOW, WM_SHOW_MAIN_WINDOW, &CMainFrame::OnShowMainWindow},
    {WM_SHOW_CLIP_WINDOW, WM_SHOW_CLIP_WINDOW, &CMainFrame::OnShowClipWindow},
    {WM_REVERT_FIRST_ITEMS, WM_REVERT_FIRST_ITEMS, &CMainFrame::OnRevertFirstItems},
    {WM_UPPERCASE_FIRST_ITEM, WM_CONVERT_FROM_ID_FIRST_ITEM, &CMainFrame::OnTransformFirstItem},
    {WM_TITLE_FIRST_ITEM, WM_TITLE_FIRST_ITEM, &CMainFrame::OnTransformFirstItem},
    {WM_INSERT_DATE_TIME_FIRST, WM_INSERT_DATE_TIME_LAST, &CMainFrame::OnInsertDateTime},
    {WM_PREVIEW_FIRST_ITEM, WM_EDIT_FIRST_ITEM, &CMainFrame::OnViewFirstItem},
    {WM_BOOKMARK_FIRST_ITEM, WM_BOOKMARK_FIRST_ITEM, &CMainFrame::OnBookmarkFirstItem},
    {WM_ACTIVATE_FIRST_BOOKMARK, WM_ACTIVATE_FIRST_BOOKMARK, &CMainFrame::OnActivateFirstBookmark},
    {WM_PASTE_ACTIVATED_ITEM, WM_PASTE_ACTIVATED_ITEM, &CMainFrame::OnPasteActivatedItem},
    {WM_RESET_CLIPBOARD_VIEWER, WM_RESET_CLIPBOARD_VIEWER, &CMainFrame::OnResetClipboardViewer},
    {WM_TRAY_NOTIFY, WM_TRAY_NOTIFY, &CMainFrame::OnTrayNotify},
    {WM_CLIP_WINDOW_CLOSED, WM_CLIP_WINDOW_CLOSED, &CMainFrame::OnClipWindowClosed},
    {WM_OPTIONS_CHANGED, WM_OPTIONS_CHANGED, &CMainFrame::OnOptionsChanged},
    {WM_HISTORY_CHANGED, WM_HISTORY_CHANGED, &CMainFrame::OnHistoryChanged},
    {WM_DELETE_CLOSED_CLIP_WINDOW, WM_DELETE_CLOSED_CLIP_WINDOW,
     &CMainFrame::OnDeleteClosedClipWindow},
};

CMainFrame::CMainFrame(const FRAME_SERVICES& services)
    : m_doc(services.doc),
      m_accelerator(services.accelerator),
      m_text(services.text),
      m_prompt(services.prompt),
      m_keyEvents(services.keyEvents),
      m_mapCommands(services.commands),
      m_wndView(services.doc, services.text, services.prompt),
      m_nTaskbarCreated(::RegisterWindowMessageW(L"TaskbarCreated")) {}

CMainFrame::~CMainFrame() {
  // A frame destroyed while its window lives must still save its placement,
  // leave the chain and let the accelerator go: destroy the window while the
  // frame can handle its WM_DESTROY.
  Destroy();
  m_doc.SetMainWindow(nullptr);
}

bool CMainFrame::Create() {
  WNDCLASSEXW wc{};
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TANSEL));
  wc.lpszClassName = kFrameClass;
  if (!RegisterClass(wc)) return false;
  WNDCLASSEXW wcIdentity{};
  wcIdentity.lpszClassName = kIdentityClass;
  if (!RegisterClass(wcIdentity)) return false;
  // Where and how large the window was left, and the docking switch, come
  // from the settings before the window exists.
  int nLeft, nTop, nWidth, nHeight;
  {
    CApplicationRegistry registry;
    registry.GetMainWindowPlacement(nLeft, nTop, nWidth, nHeight);
    m_bDockingEnabled = registry.GetDockingEnabled();
  }
  CMenu menu;
  menu.Load(IDR_MAINFRAME);
  // Caption, system menu, sizing border and minimise box; no maximise box.
  const DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
  const bool bCreated = CWindow::Create(kFrameClass, L"Tansel", dwStyle, 0, nLeft, nTop, nWidth,
                                        nHeight, nullptr, menu.Get());
  // The window destroys its menu bar, also when it is destroyed while it is
  // being created; a window never made leaves the menu to us.
  if (bCreated || !::IsMenu(menu.Get())) menu.Release();
  return bCreated;
}

bool CMainFrame::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  for (const MESSAGE_HANDLER& handler : kHandlers) {
    if (message >= handler.nFirst && message <= handler.nLast) {
      result = (this->*handler.pfn)(message, wParam, lParam);
      return true;
    }
  }
  return false;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message >= WM_USER && message < 0x8000 && Dispatch(message, wParam, lParam, result))
    return result;
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_DRAWCLIPBOARD:
      return OnDrawClipboard(wParam, lParam);
    case WM_CHANGECBCHAIN:
      return OnChangeCbChain(wParam, lParam);
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return 0;
    case WM_HOTKEY:
      m_accelerator.OnHotkey(wParam);
      return 0;
    case WM_CLOSE:
      // Closing only hides; the program ends by Exit.
      ToggleMainWindow();
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        // Minimising hides instead of leaving a task-bar button.
        ToggleMainWindow();
        return 0;
      }
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(m_wndView.Handle());
      return 0;
    case WM_NCLBUTTONDOWN:
      OnNcLButtonDown(wParam, lParam);
      break;
    case WM_MOVING:
      if (!OnMoving(*reinterpret_cast<RECT*>(lParam))) return TRUE;
      break;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case kWmDpiChanged: {
      // Moved to a screen of another DPI: the size the system proposes, and
      // the view's columns in proportion.
      const RECT& r = *reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      m_wndView.OnDpiChanged(LOWORD(wParam));
      return 0;
    }
  }
  if (message == m_nTaskbarCreated && message != 0) {
    AddTrayIcon();
    return 0;
  }
  return Default(message, wParam, lParam);
}

bool CMainFrame::PreTranslateMessage(MSG& msg) {
  // Escape anywhere in the window hides it, before any window inside sees it.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    ToggleMainWindow();
    return true;
  }
  return false;
}

LRESULT CMainFrame::OnCreate() {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (!m_wndView.Create(m_hWnd, client, kViewId)) return -1;
  // The document read its limits when it was made; nothing to reload here.
  m_hTrayIcon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, 16, 16, 0));
  m_oTrayIcon.SetWindow(m_hWnd);
  m_oTrayIcon.AddIcon(m_hTrayIcon);
  m_oTrayIcon.SetTooltip(m_strTrayTip);
  m_oTrayIcon.SetCallbackMessage(WM_TRAY_NOTIFY);
  m_doc.SetMainWindow(this);
  m_accelerator.SetMainWindow(m_hWnd);
  ResetClipboardViewer();
  // Read once: a period written later takes effect at the next start.
  m_nRejoinPeriod = static_cast<UINT>(CApplicationRegistry().GetResetClipboardTimer());
  ::SetTimer(m_hWnd, kRejoinTimerId, m_nRejoinPeriod, nullptr);
  // Without its identity child a second start could not find this instance.
  if (!m_wndIdentity.CreateChild(kIdentityClass, TANSEL_IDENTITY_GUID, 0, 0, 0, 0, 0, m_hWnd,
                                 static_cast<UINT>(-1)))
    return -1;
  return 0;
}

void CMainFrame::OnDestroy() {
  SaveWindowPlacement();
  m_oTrayIcon.RemoveIcon();
  if (m_hTrayIcon) ::DestroyIcon(std::exchange(m_hTrayIcon, nullptr));
  // The clip window tells the frame that it goes, before this returns.
  // Closed clip windows are deleted with the frame's object: one may still
  // be inside its own box.
  if (m_pClipWindow) ::DestroyWindow(m_pClipWindow->Handle());
  // From here on no notice reaches the history.
  ::ChangeClipboardChain(m_hWnd, m_hWndNextViewer);
  m_hWndNextViewer = nullptr;
  m_doc.SetMainWindow(nullptr);
  m_accelerator.SetMainWindow(nullptr);
  // The main window's end is the program's end.
  ::PostQuitMessage(0);
}

void CMainFrame::SaveWindowPlacement() {
  RECT r;
  if (!GetRestoredRect(r)) return;
  CApplicationRegistry registry;
  registry.SetMainWindowPlacement(r.left, r.top, r.right - r.left, r.bottom - r.top);
  registry.SetDockingEnabled(m_bDockingEnabled);
}

BOOL CMainFrame::ToggleMainWindow() {
  if (m_bVisible) {
    ::ShowWindow(m_hWnd, SW_HIDE);
    m_bVisible = FALSE;
  } else {
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    m_bVisible = TRUE;
  }
  return m_bVisible;
}

void CMainFrame::ResetClipboardViewer() {
  // Leaving is harmless when the frame is not in the chain.
  ::ChangeClipboardChain(m_hWnd, m_hWndNextViewer);
  // The system sends a notice from inside SetClipboardViewer; the flag makes
  // the frame drop it, so joining never captures what is already there.
  m_bJoiningChain = TRUE;
  m_hWndNextViewer = ::SetClipboardViewer(m_hWnd);
  m_bJoiningChain = FALSE;
}

LRESULT CMainFrame::OnDrawClipboard(WPARAM wParam, LPARAM lParam) {
  if (m_bJoiningChain) return 0;
  // The next viewer hears first, synchronously; then the history captures.
  if (m_hWndNextViewer && m_hWndNextViewer != m_hWnd)
    ::SendMessageW(m_hWndNextViewer, WM_DRAWCLIPBOARD, 0, 0);
  m_doc.CaptureClipboard();
  ScheduleCaptureRetry();
  return Default(WM_DRAWCLIPBOARD, wParam, lParam);
}

LRESULT CMainFrame::OnChangeCbChain(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default(WM_CHANGECBCHAIN, wParam, lParam);
  const HWND hRemoved = reinterpret_cast<HWND>(wParam);
  const HWND hFollower = reinterpret_cast<HWND>(lParam);
  if (m_hWndNextViewer == hRemoved) m_hWndNextViewer = hFollower;
  if (m_hWndNextViewer == m_hWnd) m_hWndNextViewer = nullptr;
  if (m_hWndNextViewer) ::SendMessageW(m_hWndNextViewer, WM_CHANGECBCHAIN, wParam, lParam);
  return result;
}

void CMainFrame::OnTimer(UINT_PTR nIdEvent) {
  if (nIdEvent == kCaptureRetryTimerId) {
    m_doc.RetryCapture();
    ScheduleCaptureRetry();
    return;
  }
  // Every other tick rejoins whatever its id: a stray WM_TIMER only brings
  // the next rejoin forward.
  ResetClipboardViewer();
}

void CMainFrame::ScheduleCaptureRetry() {
  // Setting a running timer again restarts its period, which is harmless.
  if (m_doc.IsCapturePending())
    ::SetTimer(m_hWnd, kCaptureRetryTimerId, CTanselDoc::kCaptureRetryPeriodMs, nullptr);
  else
    ::KillTimer(m_hWnd, kCaptureRetryTimerId);
}

void CMainFrame::OnSize(UINT, int cx, int cy) {
  if (m_wndView.Handle()) ::MoveWindow(m_wndView.Handle(), 0, 0, cx, cy, TRUE);
}

void CMainFrame::OnNcLButtonDown(WPARAM nHitTest, LPARAM point) {
  if (nHitTest != HTCAPTION) return;
  RECT window;
  ::GetWindowRect(m_hWnd, &window);
  m_ptGrabOffset = {GET_X_LPARAM(point) - window.left, GET_Y_LPARAM(point) - window.top};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &m_rcWorkArea, 0);
}

bool CMainFrame::OnMoving(RECT& rect) {
  if (!m_bDockingEnabled) return false;
  POINT cursor;
  ::GetCursorPos(&cursor);
  rect = DockedRect(rect, cursor, m_ptGrabOffset, m_rcWorkArea);
  return true;
}

void CMainFrame::OnCommand(UINT nId) {
  // The view first: the "&Edit" menu's commands are the history's.
  if (m_wndView.OnCommand(nId)) return;
  switch (nId) {
    case ID_FILE_CLEAR_LIST:
    case ID_TRAY_CLEAR_LIST:
      ClearList();
      break;
    case ID_FILE_EXIT:
    case ID_TRAY_EXIT:
      Exit();
      break;
    case ID_TRAY_SHOW:
      ToggleMainWindow();
      break;
    case ID_VIEW_ENABLE_DOCKING:
      m_bDockingEnabled = m_bDockingEnabled ? FALSE : TRUE;
      break;
    case ID_TRAY_PASTE_ACTIVATED:
      ToggleDoPaste();
      break;
    case ID_HELP_VISIT_ONLINE:
      ::ShellExecuteW(nullptr, nullptr, kProductPage, nullptr, nullptr, SW_SHOWNORMAL);
      break;
    case ID_FILE_OPTIONS:
    case ID_TRAY_OPTIONS:
      ShowOptions();
      break;
    case ID_HELP_ABOUT:
      ShowAbout();
      break;
  }
}

void CMainFrame::OnInitMenuPopup(HMENU hMenu) {
  CMenu::CheckItem(hMenu, ID_VIEW_ENABLE_DOCKING, m_bDockingEnabled != FALSE);
  CMenu::CheckItem(hMenu, ID_TRAY_PASTE_ACTIVATED, CApplicationRegistry().GetDoPaste() != FALSE);
  m_wndView.OnInitMenuPopup(hMenu);
}

void CMainFrame::ClearList() {
  if (m_prompt.Show(L"Are you sure you want to clear the list?", MB_YESNO) == IDYES)
    m_doc.ClearList();
}

void CMainFrame::Exit() {
  if (m_bVisible) ToggleMainWindow();
  Destroy();
}

void CMainFrame::ToggleDoPaste() {
  CApplicationRegistry registry;
  registry.SetDoPaste(registry.GetDoPaste() ? 0 : 1);
}

bool CMainFrame::RaiseOpenDialog() {
  // A modal dialog of the frame disables it: that dialog, or a box over it,
  // is what the user is in the middle of.
  if (::IsWindowEnabled(m_hWnd)) return false;
  HWND hDialog = ::GetLastActivePopup(m_hWnd);
  if (hDialog && hDialog != m_hWnd) ::SetForegroundWindow(hDialog);
  return true;
}

void CMainFrame::ShowOptions() {
  if (RaiseOpenDialog()) return;
  COptionsDlg dialog(m_mapCommands, m_accelerator, m_prompt, m_hWnd);
  dialog.DoModal(m_hWnd);
}

void CMainFrame::ShowAbout() {
  if (RaiseOpenDialog()) return;
  CAboutDlg dialog;
  dialog.m_bHasVersion = CTanselApp::GetProductVersion(dialog.m_wVersion);
  dialog.DoModal(m_hWnd);
}

void CMainFrame::AddTrayIcon() {
  m_oTrayIcon.AddAgain();
  m_oTrayIcon.SetTooltip(m_strTrayTip);
  m_oTrayIcon.SetCallbackMessage(WM_TRAY_NOTIFY);
}

void CMainFrame::ShowTrayMenu() {
  POINT cursor;
  ::GetCursorPos(&cursor);
  CMenu menu;
  if (!menu.Load(IDR_TRAYMENU)) return;
  HMENU popup = menu.GetSubMenu(0);
  ::SetMenuDefaultItem(popup, 0, TRUE);
  // A menu of a window in the background would not close when the user
  // clicks elsewhere.
  ::SetForegroundWindow(m_hWnd);
  CMenu::TrackPopup(popup, m_hWnd, cursor);
  Post(WM_NULL);
}

void CMainFrame::PostHistoryChanged(int nHint) {
  ::PostMessageW(m_hWnd, WM_HISTORY_CHANGED, static_cast<WPARAM>(nHint), 0);
}

// ---- Private messages ----------------------------------------------------------

LRESULT CMainFrame::OnShowMainWindow(UINT, WPARAM, LPARAM) {
  ToggleMainWindow();
  return 0;
}

LRESULT CMainFrame::OnShowClipWindow(UINT, WPARAM, LPARAM) {
  if (m_pClipWindow) {
    // The second press closes it; the window tells the frame as it goes.
    ::DestroyWindow(m_pClipWindow->Handle());
    return 0;
  }
  auto pClip = std::make_unique<CSmallClipDlg>(m_doc, m_text, m_prompt, m_keyEvents);
  pClip->SetMainWindow(m_hWnd);
  if (!pClip->Create()) return 0;
  m_pClipWindow = pClip.release();
  m_pClipWindow->ShowAtCursor();
  return 0;
}

LRESULT CMainFrame::OnRevertFirstItems(UINT, WPARAM, LPARAM) {
  // No guard: an index without an item does nothing.
  m_doc.ActivateItem(1);
  return 0;
}

LRESULT CMainFrame::OnTransformFirstItem(UINT nId, WPARAM, LPARAM) {
  if (m_doc.GetItemCount() < 1) return 0;
  // The result goes to the clipboard and comes back as the newest item.
  switch (nId) {
    case WM_UPPERCASE_FIRST_ITEM:
      m_doc.ChangeCase(0, CASE_UPPER, FALSE);
      break;
    case WM_LOWERCASE_FIRST_ITEM:
      m_doc.ChangeCase(0, CASE_LOWER, FALSE);
      break;
    case WM_TITLE_FIRST_ITEM:
      m_doc.ChangeCase(0, CASE_TITLE, FALSE);
      break;
    case WM_MAKE_OBJECT_FIRST_ITEM:
      m_doc.SmartMakeObject(0, FALSE);
      break;
    case WM_CONVERT_TO_ID_FIRST_ITEM:
      m_doc.SmartConvertToID(0, FALSE);
      break;
    case WM_CONVERT_FROM_ID_FIRST_ITEM:
      m_doc.SmartConvertFromID(0, FALSE);
      break;
  }
  return 0;
}

LRESULT CMainFrame::OnInsertDateTime(UINT nId, WPARAM, LPARAM) {
  m_doc.InsertDateTime(kDateTimeFormats[nId - WM_INSERT_DATE_TIME_FIRST]);
  return 0;
}

LRESULT CMainFrame::OnViewFirstItem(UINT nId, WPARAM, LPARAM) {
  if (m_doc.GetItemCount() < 1 || RaiseOpenDialog()) return 0;
  const bool bEdit = nId == WM_EDIT_FIRST_ITEM;
  // The item, not its place: a copy made meanwhile moves it down.
  const CLIP_ITEM* pItem = m_doc.ItemAt(0);
  const uint64_t nSerial = pItem->nSerial;
  // The dialog reads the text while it starts, before anything can change it.
  CViewItemDlg dialog(bEdit ? CViewItemDlg::MODE_EDIT : CViewItemDlg::MODE_PREVIEW, pItem->strText);
  const INT_PTR nResult = dialog.DoModal(m_hWnd);
  if (!bEdit) return 0;
  if (nResult == CViewItemDlg::RESULT_APPEND) {
    m_doc.PutTextOnClipboard(dialog.m_strText);
  } else if (nResult == CViewItemDlg::RESULT_REPLACE) {
    const int nIndex = m_doc.IndexOf(nSerial);
    if (nIndex >= 0) m_doc.ReplaceItemText(nIndex, std::move(dialog.m_strText));
  }
  return 0;
}

LRESULT CMainFrame::OnBookmarkFirstItem(UINT, WPARAM, LPARAM) {
  if (m_doc.GetItemCount() >= 1) m_doc.ToggleBookmark(0);
  return 0;
}

LRESULT CMainFrame::OnActivateFirstBookmark(UINT, WPARAM, LPARAM) {
  const int nBookmark = m_doc.GetNextBookmark(-1);
  if (nBookmark >= 0) m_doc.ActivateItem(nBookmark);
  return 0;
}

LRESULT CMainFrame::OnPasteActivatedItem(UINT, WPARAM, LPARAM) {
  ToggleDoPaste();
  return 0;
}

LRESULT CMainFrame::OnResetClipboardViewer(UINT, WPARAM, LPARAM) {
  ResetClipboardViewer();
  return 0;
}

LRESULT CMainFrame::OnTrayNotify(UINT, WPARAM, LPARAM lParam) {
  // On the press, not on the release.
  if ((lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN) && RaiseOpenDialog()) return 0;
  if (lParam == WM_LBUTTONDOWN)
    ToggleMainWindow();
  else if (lParam == WM_RBUTTONDOWN)
    ShowTrayMenu();
  return 0;
}

LRESULT CMainFrame::OnClipWindowClosed(UINT, WPARAM, LPARAM) {
  if (!m_pClipWindow) return 0;
  std::unique_ptr<CSmallClipDlg> pClosed(std::exchange(m_pClipWindow, nullptr));
  // Its window goes now, when it is still there (the clip window lost the
  // activation); the object is deleted once the message or command that
  // closed it, which may still be on the stack, has returned.
  pClosed->DestroyQuietly();
  m_lstClosedClipWindows.push_back(std::move(pClosed));
  Post(WM_DELETE_CLOSED_CLIP_WINDOW);
  return 0;
}

LRESULT CMainFrame::OnOptionsChanged(UINT, WPARAM, LPARAM) {
  m_doc.LoadLimits();
  return 0;
}

LRESULT CMainFrame::OnHistoryChanged(UINT, WPARAM wParam, LPARAM) {
  if (m_pClipWindow) m_pClipWindow->RefreshItems(static_cast<int>(wParam));
  return 0;
}

LRESULT CMainFrame::OnDeleteClosedClipWindow(UINT, WPARAM, LPARAM) {
  // One still inside its own box tells again when the box has returned.
  auto& closed = m_lstClosedClipWindows;
  closed.erase(
      std::remove_if(closed.begin(), closed.end(), [](const auto& p) { return !p->IsInUse(); }),
      closed.end());
  return 0;
}
