#pragma once
// The main frame: the program's one top-level window, titled "Tansel", the
// head of the clipboard viewer chain and the receiver of every private
// message.
#include <windows.h>

#include "core/ChangeSink.h"
#include "core/TanselDoc.h"
#include "settings/win/KeyboardAccelerator.h"
#include "ui/Window.h"

class CMainFrame : public CWindow, public IMainWindowNotice {
 public:
  // The accelerator delivers the system-wide hotkeys to this window.
  CMainFrame(CTanselDoc& doc, CKeyboardAccelerator& accelerator);
  ~CMainFrame() override;

  // Creates the hidden window where the settings last left it, joins the
  // viewer chain and starts the rejoin timer.
  bool Create();

  // Leaves the viewer chain and joins it again, at its head.
  void ResetClipboardViewer();
  // Writes the window's restored rectangle and the docking switch to the
  // settings; at destruction.
  void SaveWindowPlacement();

  // IMainWindowNotice: the history changed; handled after the current message.
  void PostHistoryChanged(int nHint) override;

  HWND GetNextViewer() const { return m_hWndNextViewer; }
  UINT GetRejoinPeriod() const { return m_nRejoinPeriod; }

  static constexpr UINT_PTR kRejoinTimerId = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  LRESULT OnCreate();
  void OnDestroy();
  LRESULT OnDrawClipboard(WPARAM wParam, LPARAM lParam);
  LRESULT OnChangeCbChain(WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR nIdEvent);

  // Chain membership.
  HWND m_hWndNextViewer = nullptr;
  BOOL m_bJoiningChain = FALSE;
  // Snapping to the screen edges while dragging: read before the window
  // exists, written back when it is destroyed.
  BOOL m_bDockingEnabled = FALSE;

 private:
  CTanselDoc& m_doc;
  CKeyboardAccelerator& m_accelerator;
  CWindow m_wndIdentity;
  UINT m_nRejoinPeriod = 0;
};
