#pragma once
// The main window's view of the history: a list control in report mode with
// the columns "No", "Text" and "Created Time", one row per item. It is a
// window of its own holding the control, so the control's notifications and
// its context menu's commands come here; the frame passes on its "&Edit"
// menu's commands and the opening of that menu.
#include <windows.h>

#include "core/ChangeSink.h"
#include "core/TanselDoc.h"
#include "settings/win/KeyboardAccelerator.h"
#include "ui/MessageBox.h"
#include "ui/Window.h"
#include "views/HistoryCommands.h"
#include "views/HistoryList.h"

class CTanselListView : public CWindow, public IHistoryView, private IHistoryCommandHost {
 public:
  CTanselListView(CTanselDoc& doc, ITextServices& text, IUserPrompt& prompt);
  ~CTanselListView() override;

  // A child of parent with the given id, filling rect.
  bool Create(HWND parent, const RECT& rect, UINT id);

  // A command of the frame's menus; false when it is not the view's.
  bool OnCommand(UINT nId) { return m_commands.OnCommand(nId); }
  // A popup of the frame's menu is opening: its entries follow the selection.
  void OnInitMenuPopup(HMENU hPopup) { m_commands.UpdateMenu(hPopup); }

  // The frame moved to a screen of another DPI.
  void OnDpiChanged(UINT dpi);

  // The document changed: hint 0 the whole list, n the row n - 1.
  void OnUpdate(int nHint) override;

  HWND ListHandle() const { return m_rows.List().Handle(); }
  CHistoryCommands& Commands() { return m_commands; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& msg) override;

 private:
  LRESULT OnCreate();
  LRESULT OnNotify(NMHDR& header);
  void OnContextMenu(HWND hWnd, POINT point);

  // The host's part of the commands.
  void OnActivated() override;
  void OnTextInserted() override {}
  void SetBusy(bool) override {}
  HWND DialogOwner() override;

  CTanselDoc& m_doc;
  CKeyboardAccelerator m_keys;
  CHistoryList m_rows;
  CHistoryCommands m_commands;
};
