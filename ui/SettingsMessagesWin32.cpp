#include "ui/SettingsMessagesWin32.h"

#include "ui/MessageBox.h"
#include "ui/WinText.h"

void CSettingsMessagesWin32::ShowError(const CString16& text) {
  // An OK box: the program's rule gives it the exclamation icon.
  AppMessageBox(WinText(text), MB_OK);
}
