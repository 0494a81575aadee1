#include "views/FindDlg.h"

#include "resources/resource.h"
#include "settings/ApplicationRegistry.h"

CFindDlg::CFindDlg(FIND_CRITERIA& criteria) : CDialog(IDD_FIND), m_criteria(criteria) {}

BOOL CFindDlg::OnInitDialog() {
  // Over the list it searches, not at the owner's corner.
  CenterOverOwner();
  SetItemText(IDC_FIND_TEXT, m_criteria.strText);
  CheckItem(IDC_MATCH_CASE, m_criteria.bMatchCase != FALSE);
  CheckItem(IDC_WHOLE_WORD, m_criteria.bWholeWord != FALSE);
  return TRUE;
}

bool CFindDlg::OnCommand(UINT id, UINT code, HWND control) {
  // Neither reads the controls: the destruction does, for every end.
  if (code == BN_CLICKED && (id == IDC_FIND_NEXT || id == IDC_BOOKMARK_ALL)) {
    EndDialog(id);
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

INT_PTR CFindDlg::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) OnDestroy();
  return CDialog::DialogProc(message, wParam, lParam);
}

void CFindDlg::OnDestroy() {
  m_criteria.strText = GetItemText(IDC_FIND_TEXT);
  m_criteria.bMatchCase = IsItemChecked(IDC_MATCH_CASE) ? TRUE : FALSE;
  m_criteria.bWholeWord = IsItemChecked(IDC_WHOLE_WORD) ? TRUE : FALSE;
  // Stored for whoever wants it; the dialog always opens at its template size.
  RECT r;
  if (GetRestoredRect(r))
    CApplicationRegistry().SetFindWindowSize(r.right - r.left, r.bottom - r.top);
}
