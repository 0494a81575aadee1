#pragma once
// "Clip Item": the whole text of one history item, to read (preview) or to
// change (edit). The dialog changes nothing itself: it ends with the user's
// choice and the edited text, and the caller acts on them.
#include "base/Text.h"
#include "ui/Dialog.h"

class CViewItemDlg : public CDialog {
 public:
  enum : UINT { MODE_EDIT = 1, MODE_PREVIEW = 2 };
  // The end codes are the buttons' ids; IDCANCEL for Cancel, Escape and the
  // close box.
  enum : INT_PTR { RESULT_APPEND = 1018, RESULT_REPLACE = 1019 };

  // The item's text is read when the dialog opens, before anything else can
  // run, so a reference into the history is enough however long the text.
  CViewItemDlg(UINT nMode, const CString16& strItemText);

  // Set after RESULT_APPEND or RESULT_REPLACE: the text in the editor.
  CString16 m_strText;

 protected:
  BOOL OnInitDialog() override;
  // Enter makes a new line, so OK never ends the dialog.
  void OnOK() override {}
  bool OnCommand(UINT id, UINT code, HWND control) override;
  // F2 is Append and F3 Replace, in either mode.
  bool PreTranslateMessage(MSG& msg) override;

 private:
  void End(INT_PTR nResult);

  const UINT m_nMode;
  const CString16& m_strItemText;
};
