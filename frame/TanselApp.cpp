#include "frame/TanselApp.h"

#include <commctrl.h>

#include "frame/Globals.h"
#include "frame/PrivateMessages.h"
#include "frame/TanselCommandLineInfo.h"
#include "settings/SettingsPlatform.h"
#include "settings/StartUp.h"
#include "ui/MessageLoop.h"
#include "ui/VersionInfo.h"

CTanselApp::CTanselApp() = default;

CTanselApp::~CTanselApp() {
  // The frame before the history it shows, and the history before the
  // settings' platform goes.
  m_pMainFrame.reset();
  m_pDoc.reset();
  if (m_bPlatformSet) SetSettingsPlatform(nullptr, nullptr);
}

HWND CTanselApp::FindRunningInstance() {
  // Another program's window of the same title, and this program's own
  // message boxes, have no identity child and are passed over.
  for (HWND hWnd = ::FindWindowExW(nullptr, nullptr, nullptr, L"Tansel"); hWnd;
       hWnd = ::FindWindowExW(nullptr, hWnd, nullptr, L"Tansel")) {
    if (::FindWindowExW(hWnd, nullptr, nullptr, TANSEL_IDENTITY_GUID)) return hWnd;
  }
  return nullptr;
}

BOOL CTanselApp::InitInstance(const wchar_t* pszCommandLine) {
  if (HWND hRunning = FindRunningInstance()) {
    // The running instance shows or hides its window; this one makes
    // nothing and ends. The user started this one, so it may hand the
    // running instance the right to come to the front.
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hRunning, &dwProcess);
    ::AllowSetForegroundWindow(dwProcess);
    ::PostMessageW(hRunning, WM_SHOW_MAIN_WINDOW, 0, 0);
    return FALSE;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The clipboard is read with OpenClipboard, so no OLE is set up; nor COM,
  // which the program links no library for (the product page is opened by
  // ShellExecuteW alone).
  SetSettingsPlatform(&m_keyStore, &m_settingsMessages, &m_programFile);
  m_bPlatformSet = true;
  m_pDoc = std::make_unique<CTanselDoc>(m_clipboard, m_textServices);
  m_pMainFrame = std::make_unique<CMainFrame>(FRAME_SERVICES{
      *m_pDoc, gl_oKeyboardAccelerator, m_textServices, m_prompt, m_keyEvents, m_mapCommands});
  if (!m_pMainFrame->Create()) return FALSE;
  CTanselCommandLineInfo commandLine;
  commandLine.ParseCommandLine(pszCommandLine);
  // The frame is made hidden; the switch n shows it, as a normal start of a
  // framework's program would.
  if (commandLine.m_bShowWindow) ::ShowWindow(m_pMainFrame->Handle(), SW_SHOW);
  HandleFirstRun();
  RegisterHotkeys();
  return TRUE;
}

int CTanselApp::Run() {
  const int nExitCode = RunMessageLoop();
  // The frame is gone; the window-less object goes before the history.
  m_pMainFrame.reset();
  return nExitCode;
}

BOOL CTanselApp::GetProductVersion(WORD (&parts)[4]) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return FALSE;
  return ReadProductVersion(path, parts);
}

void CTanselApp::HandleFirstRun() { ::HandleFirstRun(); }

void CTanselApp::RegisterHotkeys() { ::RegisterHotkeys(m_mapCommands, gl_oKeyboardAccelerator); }
