#pragma once
// The settings' view of a hierarchical key store. The operations, codes and
// out-parameter rules are those of the Win32 registry so that the real
// registry adapter is a thin pass-through and the in-memory double can be
// checked against it call for call.
#include <cstdint>

#include "base/Text.h"

using KeyHandle = uintptr_t;
constexpr KeyHandle kHKeyCurrentUser = 0x80000001;

// Win32 error codes the settings code and its tests reason about.
enum : long {
  kErrorSuccess = 0,
  kErrorFileNotFound = 2,
  kErrorAccessDenied = 5,
  kErrorInvalidHandle = 6,
  kErrorInvalidParameter = 87,
  kErrorBadPathname = 161,
  kErrorMoreData = 234,
  kErrorNoMoreItems = 259,
};

// Value types.
enum : uint32_t { kRegNone = 0, kRegSz = 1, kRegBinary = 3, kRegDword = 4 };

// Access masks.
enum : uint32_t {
  kKeyQueryValue = 0x0001,
  kKeySetValue = 0x0002,
  kKeyRead = 0x20019,
  kKeyWrite = 0x20006,
  kKeyAllAccess = 0xF003F,
};

class IKeyStore {
 public:
  virtual ~IKeyStore() = default;

  // RegCreateKeyExW: opens subKey below parent, creating it and any missing
  // keys on the way. *result is 0 on failure.
  virtual long CreateKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                         KeyHandle* result) = 0;
  // RegOpenKeyExW: like CreateKey but never creates.
  virtual long OpenKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                       KeyHandle* result) = 0;
  virtual long CloseKey(KeyHandle key) = 0;

  // RegQueryValueExW. *size is the buffer size in bytes on entry and the
  // value's size on return; a null data pointer only asks for the size; a
  // buffer too small gives kErrorMoreData with the needed size. type and size
  // are left alone when the value is missing.
  virtual long QueryValue(KeyHandle key, const char16_t* name, uint32_t* type, uint8_t* data,
                          uint32_t* size) = 0;
  // RegSetValueExW: creates or replaces the value.
  virtual long SetValue(KeyHandle key, const char16_t* name, uint32_t type, const uint8_t* data,
                        uint32_t size) = 0;
  virtual long DeleteValue(KeyHandle key, const char16_t* name) = 0;
  // RegEnumValueW, name only. *nameChars is the buffer's capacity including
  // the terminator on entry and the name's length on success; a name that
  // does not fit gives kErrorMoreData; past the last value kErrorNoMoreItems.
  virtual long EnumValueName(KeyHandle key, uint32_t index, char16_t* name,
                             uint32_t* nameChars) = 0;

  // FormatMessageW(ALLOCATE_BUFFER | FROM_SYSTEM, neutral/default language):
  // the system's text for a Win32 error code, empty when it has none.
  virtual CString16 SystemMessage(long code) = 0;
};
