#pragma once
// "Find": edits the search criteria in place. Whatever way it ends, the
// criteria hold what the user typed and ticked, so F3 searches for it later.
#include "core/ClipItem.h"
#include "ui/Dialog.h"

class CFindDlg : public CDialog {
 public:
  // The end codes; IDCANCEL for Escape and the close box.
  enum : INT_PTR { RESULT_FIND_NEXT = 1024, RESULT_BOOKMARK_ALL = 1025 };

  explicit CFindDlg(FIND_CRITERIA& criteria);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // At destruction: the criteria from the controls, the size to the settings.
  void OnDestroy();

  FIND_CRITERIA& m_criteria;
};
