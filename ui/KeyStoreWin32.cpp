#include "ui/KeyStoreWin32.h"

#include <windows.h>

#include "ui/WinText.h"

static_assert(sizeof(DWORD) == sizeof(uint32_t), "registry sizes and types are 32-bit");
static_assert(sizeof(HKEY) == sizeof(KeyHandle), "key handles travel as KeyHandle");
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
                  kErrorAccessDenied == ERROR_ACCESS_DENIED &&
                  kErrorInvalidHandle == ERROR_INVALID_HANDLE &&
                  kErrorMoreData == ERROR_MORE_DATA && kErrorNoMoreItems == ERROR_NO_MORE_ITEMS &&
                  kErrorBadPathname == ERROR_BAD_PATHNAME &&
                  kErrorInvalidParameter == ERROR_INVALID_PARAMETER,
              "error codes are Win32's");
static_assert(kRegSz == REG_SZ && kRegBinary == REG_BINARY && kRegDword == REG_DWORD,
              "value types are Win32's");
static_assert(kKeyRead == KEY_READ && kKeyWrite == KEY_WRITE && kKeyAllAccess == KEY_ALL_ACCESS &&
                  kKeyQueryValue == KEY_QUERY_VALUE && kKeySetValue == KEY_SET_VALUE,
              "access masks are Win32's");

namespace {

// On 64-bit Windows HKEY_CURRENT_USER is the sign-extended 0xFFFFFFFF80000001;
// the portable code's 32-bit spelling is mapped rather than trusted to work.
HKEY ToHkey(KeyHandle key) {
  return key == kHKeyCurrentUser ? HKEY_CURRENT_USER : reinterpret_cast<HKEY>(key);
}

}  // namespace

long CKeyStoreWin32::CreateKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                               KeyHandle* result) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExW(ToHkey(parent), WinText(subKey), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
  if (result) *result = rc == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(key) : 0;
  return rc;
}

long CKeyStoreWin32::OpenKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                             KeyHandle* result) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExW(ToHkey(parent), WinText(subKey), 0, access, &key);
  if (result) *result = rc == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(key) : 0;
  return rc;
}

long CKeyStoreWin32::CloseKey(KeyHandle key) { return RegCloseKey(ToHkey(key)); }

long CKeyStoreWin32::QueryValue(KeyHandle key, const char16_t* name, uint32_t* type, uint8_t* data,
                                uint32_t* size) {
  return RegQueryValueExW(ToHkey(key), WinText(name), nullptr, reinterpret_cast<DWORD*>(type), data,
                          reinterpret_cast<DWORD*>(size));
}

long CKeyStoreWin32::SetValue(KeyHandle key, const char16_t* name, uint32_t type,
                              const uint8_t* data, uint32_t size) {
  return RegSetValueExW(ToHkey(key), WinText(name), 0, type, data, size);
}

long CKeyStoreWin32::DeleteValue(KeyHandle key, const char16_t* name) {
  return RegDeleteValueW(ToHkey(key), WinText(name));
}

long CKeyStoreWin32::EnumValueName(KeyHandle key, uint32_t index, char16_t* name,
                                   uint32_t* nameChars) {
  return RegEnumValueW(ToHkey(key), index, WinText(name), reinterpret_cast<DWORD*>(nameChars),
                       nullptr, nullptr, nullptr, nullptr);
}

CString16 CKeyStoreWin32::SystemMessage(long code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                     static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                     reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  CString16 text;
  if (buffer) {
    text = PortableString(buffer, length);
    LocalFree(buffer);
  }
  return text;
}
