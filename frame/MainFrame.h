#pragma once
// The main frame: the program's one top-level window, titled "Tansel",
// normally hidden. It holds the history list view, carries the main menu,
// owns the tray icon, the membership in the clipboard viewer chain and the
// open clip window, and receives every private message of the program.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/ChangeSink.h"
#include "core/TanselDoc.h"
#include "frame/TrayIcon.h"
#include "settings/CommandTable.h"
#include "settings/win/KeyboardAccelerator.h"
#include "ui/KeyEvents.h"
#include "ui/MessageBox.h"
#include "ui/Window.h"
#include "views/SmallClipDlg.h"
#include "views/TanselListView.h"

// What the frame works with, made by start-up.
struct FRAME_SERVICES {
  CTanselDoc& doc;
  CKeyboardAccelerator& accelerator;
  ITextServices& text;
  IUserPrompt& prompt;
  IKeyEvents& keyEvents;
  // The hotkey commands, for the options dialog; start-up fills the table
  // once the frame exists.
  const std::map<uint32_t, MESSAGE_DESCRIPTION>& commands;
};

class CMainFrame : public CWindow, public IMainWindowNotice {
 public:
  explicit CMainFrame(const FRAME_SERVICES& services);
  ~CMainFrame() override;

  // Creates the hidden window where the settings last left it.
  bool Create();

  // Shows the window in front when the frame holds it hidden, hides it
  // otherwise; the frame's own record decides, never the window's state.
  BOOL ToggleMainWindow();
  // Leaves the viewer chain and joins it again, at its head.
  void ResetClipboardViewer();
  // Writes the window's restored rectangle and the docking switch to the
  // settings; at destruction.
  void SaveWindowPlacement();

  // IMainWindowNotice: the history changed; handled after the current message.
  void PostHistoryChanged(int nHint) override;

  HWND GetNextViewer() const { return m_hWndNextViewer; }
  UINT GetRejoinPeriod() const { return m_nRejoinPeriod; }
  BOOL IsVisibleByRecord() const { return m_bVisible; }
  BOOL IsDockingEnabled() const { return m_bDockingEnabled; }
  CSmallClipDlg* ClipWindow() const { return m_pClipWindow; }
  // Closed clip windows not deleted yet.
  size_t ClosedClipWindowCount() const { return m_lstClosedClipWindows.size(); }
  CTanselListView& View() { return m_wndView; }

  static constexpr UINT_PTR kRejoinTimerId = 0;
  // Runs only while a capture waits for a clipboard another program holds.
  static constexpr UINT_PTR kCaptureRetryTimerId = 1;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;

  // Chain membership.
  HWND m_hWndNextViewer = nullptr;
  BOOL m_bJoiningChain = FALSE;
  CString16 m_strTrayTip = u"Tansel";
  BOOL m_bVisible = FALSE;
  // Snapping to the screen edges while dragging: read before the window
  // exists, written back when it is destroyed.
  BOOL m_bDockingEnabled = FALSE;
  RECT m_rcWorkArea{};
  POINT m_ptGrabOffset{};
  CSmallClipDlg* m_pClipWindow = nullptr;
  CWindow m_wndIdentity;
  HICON m_hTrayIcon = nullptr;
  CTrayIcon m_oTrayIcon;

 private:
  // One handler per private message, found through a table.
  using Handler = LRESULT (CMainFrame::*)(UINT nId, WPARAM wParam, LPARAM lParam);
  struct MESSAGE_HANDLER {
    UINT nFirst, nLast;
    Handler pfn;
  };
  static const MESSAGE_HANDLER kHandlers[];
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  LRESULT OnCreate();
  void OnDestroy();
  LRESULT OnDrawClipboard(WPARAM wParam, LPARAM lParam);
  LRESULT OnChangeCbChain(WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR nIdEvent);
  // Keeps the retry timer running exactly while a capture waits.
  void ScheduleCaptureRetry();
  void OnSize(UINT nType, int cx, int cy);
  void OnNcLButtonDown(WPARAM nHitTest, LPARAM point);
  bool OnMoving(RECT& rect);
  void OnCommand(UINT nId);
  void OnInitMenuPopup(HMENU hMenu);
  void AddTrayIcon();
  void ShowTrayMenu();
  void ClearList();
  void Exit();
  void ToggleDoPaste();
  // While a modal dialog of the frame is up, a second one (or the tray
  // menu, whose Exit would pull the frame from under it) is not opened: the
  // open one comes to the front instead. True when one is open.
  bool RaiseOpenDialog();
  void ShowOptions();
  void ShowAbout();

  // The private messages.
  LRESULT OnShowMainWindow(UINT, WPARAM, LPARAM);
  LRESULT OnShowClipWindow(UINT, WPARAM, LPARAM);
  LRESULT OnRevertFirstItems(UINT, WPARAM, LPARAM);
  LRESULT OnTransformFirstItem(UINT nId, WPARAM, LPARAM);
  LRESULT OnInsertDateTime(UINT nId, WPARAM, LPARAM);
  LRESULT OnViewFirstItem(UINT nId, WPARAM, LPARAM);
  LRESULT OnBookmarkFirstItem(UINT, WPARAM, LPARAM);
  LRESULT OnActivateFirstBookmark(UINT, WPARAM, LPARAM);
  LRESULT OnPasteActivatedItem(UINT, WPARAM, LPARAM);
  LRESULT OnResetClipboardViewer(UINT, WPARAM, LPARAM);
  LRESULT OnTrayNotify(UINT, WPARAM, LPARAM lParam);
  LRESULT OnClipWindowClosed(UINT, WPARAM, LPARAM);
  LRESULT OnOptionsChanged(UINT, WPARAM, LPARAM);
  LRESULT OnHistoryChanged(UINT, WPARAM wParam, LPARAM);
  LRESULT OnDeleteClosedClipWindow(UINT, WPARAM, LPARAM);

  CTanselDoc& m_doc;
  CKeyboardAccelerator& m_accelerator;
  ITextServices& m_text;
  IUserPrompt& m_prompt;
  IKeyEvents& m_keyEvents;
  const std::map<uint32_t, MESSAGE_DESCRIPTION>& m_mapCommands;
  CTanselListView m_wndView;
  // A clip window that told the frame it closed, until its last message has
  // returned.
  std::vector<std::unique_ptr<CSmallClipDlg>> m_lstClosedClipWindows;
  UINT m_nRejoinPeriod = 0;
  // Sent by the shell when it starts again and has lost every icon.
  const UINT m_nTaskbarCreated;
};
