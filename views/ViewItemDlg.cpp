#include "views/ViewItemDlg.h"

#include "resources/resource.h"
#include "ui/WinText.h"

CViewItemDlg::CViewItemDlg(UINT nMode, const CString16& strItemText)
    : CDialog(IDD_VIEWITEM), m_nMode(nMode), m_strItemText(strItemText) {}

BOOL CViewItemDlg::OnInitDialog() {
  HWND hEdit = Item(IDC_ITEM_TEXT);
  if (m_nMode == MODE_PREVIEW) {
    EnableItem(IDC_APPEND, false);
    EnableItem(IDC_REPLACE, false);
    ::SendMessageW(hEdit, EM_SETREADONLY, TRUE, 0);
  }
  // The whole text as stored, however long: no limit on what can be edited.
  ::SendMessageW(hEdit, EM_SETLIMITTEXT, 0, 0);
  SetItemText(IDC_ITEM_TEXT, m_strItemText);
  return TRUE;
}

bool CViewItemDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_APPEND || id == IDC_REPLACE)) {
    End(id);
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

bool CViewItemDlg::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN) return CDialog::PreTranslateMessage(msg);
  if (msg.wParam == VK_F2) {
    End(RESULT_APPEND);
    return true;
  }
  if (msg.wParam == VK_F3) {
    End(RESULT_REPLACE);
    return true;
  }
  return CDialog::PreTranslateMessage(msg);
}

void CViewItemDlg::End(INT_PTR nResult) {
  // A preview offers nothing to take.
  if (m_nMode == MODE_PREVIEW) return;
  m_strText = GetItemText(IDC_ITEM_TEXT);
  EndDialog(nResult);
}
