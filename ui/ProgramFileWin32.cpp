#include "ui/ProgramFileWin32.h"

#include <windows.h>

#include "ui/WinText.h"

bool CProgramFileWin32::GetExecutablePath(CString16& path) {
  wchar_t buffer[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  // A full buffer means the path was cut short.
  if (length == 0 || length >= MAX_PATH) return false;
  path = PortableString(buffer, length);
  return true;
}
