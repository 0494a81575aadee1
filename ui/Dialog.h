#pragma once
// Dialogs from resource templates, modal (DialogBoxParamW) or modeless
// (CreateDialogParamW). The object is found through DWLP_USER, stored at
// WM_INITDIALOG; DialogProc is the one dispatch function, a switch calling
// named handlers. The procedure is an exception barrier.
//
// PreTranslateMessage works for both kinds: a modeless dialog gets it from
// the program's message loop (RunMessageLoop), a modal one from a message
// filter hook that the dialog manager's own loop calls (MSGF_DIALOGBOX).
#include <windows.h>
#include <commctrl.h>

#include "base/Text.h"
#include "ui/WindowBase.h"

class CDialog : public CWindowBase {
 public:
  explicit CDialog(UINT templateId) : m_nTemplateId(templateId) {}
  // Destroys a modeless window that is still alive, without calling back
  // into the object being destroyed.
  ~CDialog() override;

  // The end code given to EndDialog; -1 when the dialog could not be made.
  INT_PTR DoModal(HWND parent = nullptr);
  bool CreateModeless(HWND parent = nullptr);
  // Modal: ends the run with the code. Modeless: destroys the window.
  void EndDialog(INT_PTR result);
  bool IsModal() const { return m_bModal; }

  // A modeless dialog runs the dialog keys (Tab, Enter, Escape) here; a
  // derived class that looks at keys first calls this afterwards.
  bool PreTranslateMessage(MSG& msg) override;

  // Centres the dialog over its owner, or over the screen's work area when
  // the owner is hidden or there is none.
  void CenterOverOwner() const;

  // Plain data exchange with the controls.
  CString16 GetItemText(int id) const;
  bool SetItemText(int id, const CString16& text) const;
  bool SetItemText(int id, const wchar_t* text) const;
  bool IsItemChecked(int id) const;
  void CheckItem(int id, bool checked) const;
  void EnableItem(int id, bool enabled) const;

 protected:
  // TRUE lets the dialog manager give the focus to the first tab stop.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // WM_COMMAND; true when handled. The default runs OnOK and OnCancel for
  // the buttons IDOK and IDCANCEL (Enter, Escape, the close box).
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  // WM_NOTIFY; true when handled, with the notification's result in result.
  virtual bool OnNotify(NMHDR& header, LRESULT& result);
  // TRUE for a handled message (results other than the return value go
  // through SetMessageResult), FALSE for the dialog manager's default.
  virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
  void SetMessageResult(LRESULT result) const;

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  const UINT m_nTemplateId;
  bool m_bModal = false;
};
