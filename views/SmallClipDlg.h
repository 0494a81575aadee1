#pragma once
// The clip window: a small topmost list of the history at the mouse cursor,
// called up by a hotkey over whatever application is in front. Picking items
// puts them on the clipboard, closes the window and, when the user asked for
// it, pastes into the application that comes back to the front. It closes by
// itself when it loses the activation. It offers the list view's commands
// through the same command table; it is a modeless dialog, not a view: the
// main window passes the history's changes on to it.
#include <windows.h>

#include "settings/win/KeyboardAccelerator.h"
#include "ui/Dialog.h"
#include "ui/KeyEvents.h"
#include "ui/MessageBox.h"
#include "views/HistoryCommands.h"
#include "views/HistoryList.h"

class CSmallClipDlg : public CDialog, private IHistoryCommandHost {
 public:
  CSmallClipDlg(CTanselDoc& doc, ITextServices& text, IUserPrompt& prompt, IKeyEvents& keyEvents);

  // The window told, with WM_CLIP_WINDOW_CLOSED, when this one goes away.
  void SetMainWindow(HWND hWnd) { m_hWndMain = hWnd; }
  // Modeless, from its template, without a parent.
  bool Create() { return CreateModeless(nullptr); }
  // Sized from the settings, at the cursor, topmost, shown and focused.
  void ShowAtCursor();
  // Where a window of that size opens for a cursor on a screen of that size:
  // at the cursor, flipped to the cursor's left or above it only when it
  // would pass the screen's right or bottom edge; nothing else is clamped.
  static POINT PlaceAtCursor(POINT cursor, SIZE window, SIZE screen);

  // The history changed: hint 0 the whole list, n the row n - 1.
  void RefreshItems(int nHint) { m_rows.Refresh(nHint); }
  // Closes the window, then types Ctrl+V into the window that comes back to
  // the front when "Paste Activated Item" is on.
  void CloseAndPaste();
  // Closes the window without telling it anything: the main window's way
  // after the window told it that it goes.
  void DestroyQuietly() { DestroyOwned(DWLP_USER); }

  BOOL IsBusy() const { return m_bBusy; }
  // True while a box or dialog of the window is up, or a command of it is
  // still on the stack: the object must outlive both, even once its window
  // is gone.
  bool IsInUse() const { return m_bBusy || m_nRunning > 0; }
  HWND ListHandle() const { return m_rows.List().Handle(); }
  CHistoryCommands& Commands() { return m_commands; }

 protected:
  BOOL OnInitDialog() override;
  // The default button never closes the window; Enter is Activate.
  void OnOK() override {}
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(NMHDR& header, LRESULT& result) override;
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;
  void OnFinalMessage() override;

 private:
  // True when the window lost the activation and is going.
  bool OnActivate(UINT nState);
  // The restored size goes to the settings.
  void SaveSize();
  // Counts a command on the stack for as long as it runs.
  class CRunning {
   public:
    explicit CRunning(CSmallClipDlg& dlg) : m_dlg(dlg) { ++m_dlg.m_nRunning; }
    ~CRunning() {
      --m_dlg.m_nRunning;
      m_dlg.AskToBeDeletedWhenDone();
    }
    CRunning(const CRunning&) = delete;
    CRunning& operator=(const CRunning&) = delete;

   private:
    CSmallClipDlg& m_dlg;
  };
  // Closed while in use: once the last use has ended, the main window is
  // asked again to delete the object.
  void AskToBeDeletedWhenDone() const;

  // The host's part of the commands.
  void OnActivated() override;
  void OnTextInserted() override { CloseAndPaste(); }
  void SetBusy(bool bBusy) override;
  // The window itself: the editor and find dialog then stay above it.
  HWND DialogOwner() override { return m_hWnd; }

  HWND m_hWndMain = nullptr;
  CKeyboardAccelerator m_keys;
  CTanselDoc* m_pDoc;
  BOOL m_bBusy = FALSE;
  int m_nRunning = 0;
  bool m_bCloseLater = false;
  CHistoryList m_rows;
  CHistoryCommands m_commands;
  IKeyEvents& m_keyEvents;
};
