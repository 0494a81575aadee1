#pragma once
// The settings' key store over the Windows registry: each call is the Win32
// function of the same shape.
#include "settings/KeyStore.h"

class CKeyStoreWin32 : public IKeyStore {
 public:
  long CreateKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                 KeyHandle* result) override;
  long OpenKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
               KeyHandle* result) override;
  long CloseKey(KeyHandle key) override;
  long QueryValue(KeyHandle key, const char16_t* name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(KeyHandle key, const char16_t* name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long DeleteValue(KeyHandle key, const char16_t* name) override;
  long EnumValueName(KeyHandle key, uint32_t index, char16_t* name, uint32_t* nameChars) override;
  CString16 SystemMessage(long code) override;
};
