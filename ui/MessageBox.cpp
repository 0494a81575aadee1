#include "ui/MessageBox.h"

namespace {
const wchar_t kTitle[] = L"Tansel";
}

UINT MessageBoxFlags(UINT type) {
  if (type & MB_ICONMASK) return type;
  switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
      return type | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return type | MB_ICONQUESTION;
  }
  return type;
}

int AppMessageBox(const wchar_t* text, UINT type, HWND owner) {
  if (!owner) owner = ::GetActiveWindow();
  return ::MessageBoxW(owner, text, kTitle, MessageBoxFlags(type));
}
