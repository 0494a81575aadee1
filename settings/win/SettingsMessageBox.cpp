#include "settings/win/SettingsMessageBox.h"

#include <windows.h>

#include "ui/WinText.h"

void CSettingsMessageBox::ShowError(const CString16& text) {
  // An OK box that names no icon carries the exclamation icon in this program.
  MessageBoxW(GetActiveWindow(), WinText(text), L"Tansel", MB_OK | MB_ICONEXCLAMATION);
}
