#include "frame/MainFrame.h"

#include "frame/PrivateMessages.h"
#include "settings/ApplicationRegistry.h"

namespace {

const wchar_t kFrameClass[] = L"TanselMainFrame";
const wchar_t kIdentityClass[] = L"TanselIdentity";

}  // namespace

CMainFrame::CMainFrame(CTanselDoc& doc, CKeyboardAccelerator& accelerator)
    : m_doc(doc), m_accelerator(accelerator) {}

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
  // Caption, system menu, sizing border and minimise box; no maximise box.
  const DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
  return CWindow::Create(kFrameClass, L"Tansel", dwStyle, 0, nLeft, nTop, nWidth, nHeight);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_RESET_CLIPBOARD_VIEWER:
      ResetClipboardViewer();
      return 0;
    case WM_HOTKEY:
      m_accelerator.OnHotkey(wParam);
      return 0;
    case WM_HISTORY_CHANGED:
      // The clip window hears of it once it exists.
      return 0;
  }
  return Default(message, wParam, lParam);
}

LRESULT CMainFrame::OnCreate() {
  // Without its identity child a second start could not find this instance.
  if (!m_wndIdentity.CreateChild(kIdentityClass, TANSEL_IDENTITY_GUID, 0, 0, 0, 0, 0, m_hWnd, 0))
    return -1;
  m_doc.SetMainWindow(this);
  m_accelerator.SetMainWindow(m_hWnd);
  ResetClipboardViewer();
  // Read once: a period written later takes effect at the next start.
  m_nRejoinPeriod = static_cast<UINT>(CApplicationRegistry().GetResetClipboardTimer());
  ::SetTimer(m_hWnd, kRejoinTimerId, m_nRejoinPeriod, nullptr);
  return 0;
}

void CMainFrame::OnDestroy() {
  SaveWindowPlacement();
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

void CMainFrame::OnTimer(UINT_PTR) {
  // The frame has the one timer, and every tick rejoins whatever its id: a
  // stray WM_TIMER only brings the next rejoin forward.
  ResetClipboardViewer();
}

void CMainFrame::PostHistoryChanged(int nHint) {
  ::PostMessageW(m_hWnd, WM_HISTORY_CHANGED, static_cast<WPARAM>(nHint), 0);
}
