#include "settings/win/AboutDlg.h"

#include <cwchar>

#include "resources/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
  CenterOverOwner();
  if (m_bHasVersion) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%u.%u.%u.%u", unsigned{m_wVersion[0]}, unsigned{m_wVersion[1]},
                  unsigned{m_wVersion[2]}, unsigned{m_wVersion[3]});
    SetItemText(IDC_VERSION, text);
  }
  return TRUE;
}
