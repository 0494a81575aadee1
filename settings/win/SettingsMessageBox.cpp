#include "settings/win/SettingsMessageBox.h"

#include "ui/MessageBox.h"
#include "ui/WinText.h"

void CSettingsMessageBox::ShowError(const CString16& text) {
  // An OK box: the program's rule gives it the exclamation icon.
  AppMessageBox(WinText(text), MB_OK);
}
