#pragma once
// "About Tansel": the icon, the name, the maker and the version, which the
// caller reads from the program's version record.
#include "ui/Dialog.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();

  // Input: the product version's parts; without them the template's 1.0.0.0
  // stays.
  BOOL m_bHasVersion = FALSE;
  WORD m_wVersion[4] = {};

 protected:
  BOOL OnInitDialog() override;
};
