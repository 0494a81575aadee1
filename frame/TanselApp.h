#pragma once
// The program: one instance, made of the settings' platform, the history, the
// main frame with its view, the hotkeys and the message loop.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

#include "core/TanselDoc.h"
#include "frame/MainFrame.h"
#include "settings/CommandTable.h"
#include "ui/ClipboardWin32.h"
#include "ui/KeyEventsWin32.h"
#include "ui/KeyStoreWin32.h"
#include "ui/MessageBox.h"
#include "ui/ProgramFileWin32.h"
#include "ui/SettingsMessagesWin32.h"
#include "ui/TextServicesWin32.h"

class CTanselApp {
 public:
  CTanselApp();
  ~CTanselApp();
  CTanselApp(const CTanselApp&) = delete;
  CTanselApp& operator=(const CTanselApp&) = delete;

  // The start: FALSE ends the program at once (another instance runs, or
  // the main window could not be made).
  BOOL InitInstance(const wchar_t* pszCommandLine);
  // The message loop, until the main window is gone; the exit code.
  int Run();

  // The running instance's main window: a top-level window titled "Tansel"
  // with the identity child; null when none runs.
  static HWND FindRunningInstance();
  void HandleFirstRun();
  void RegisterHotkeys();
  // The product version in the program's own version record, most
  // significant part first; FALSE when the program has none.
  static BOOL GetProductVersion(WORD (&parts)[4]);
  const std::map<uint32_t, MESSAGE_DESCRIPTION>& GetCommandTable() const { return m_mapCommands; }
  CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

 private:
  std::map<uint32_t, MESSAGE_DESCRIPTION> m_mapCommands;

  // The platform's side of the ports, made once.
  CKeyStoreWin32 m_keyStore;
  CSettingsMessagesWin32 m_settingsMessages;
  CProgramFileWin32 m_programFile;
  CClipboardWin32 m_clipboard;
  CTextServicesWin32 m_textServices;
  CMessageBoxPrompt m_prompt;
  CKeyEventsWin32 m_keyEvents;

  bool m_bPlatformSet = false;
  std::unique_ptr<CTanselDoc> m_pDoc;
  std::unique_ptr<CMainFrame> m_pMainFrame;
};
