#pragma once
// One open key of the settings store and typed access to values in subkeys of
// it. Every read has a default; a missing value or subkey gives the default
// quietly, any other failure is shown to the user with the system's text and
// then also gives the default. A null subkey means the key itself.
#include <cstdint>

#include "base/Text.h"
#include "settings/KeyStore.h"
#include "settings/SettingsMessages.h"

class CSmartRegistry {
 public:
  CSmartRegistry(KeyHandle root, const char16_t* path);
  virtual ~CSmartRegistry();
  CSmartRegistry(const CSmartRegistry&) = delete;
  CSmartRegistry& operator=(const CSmartRegistry&) = delete;

  // Opens, and creates when missing, root\path in place of the current key.
  BOOL Open(KeyHandle root, const char16_t* path);
  // The key itself for a null subkey; 0 when the subkey cannot be opened.
  KeyHandle OpenSubKey(const char16_t* subKey);
  void CloseSubKey(KeyHandle key);
  void FormatLastError(long code);

  uint32_t ReadDWORD(const char16_t* subKey, const char16_t* name, uint32_t defaultValue);
  BOOL WriteDWORD(const char16_t* subKey, const char16_t* name, uint32_t value);
  CString16 ReadString(const char16_t* subKey, const char16_t* name, const CString16& defaultValue);
  BOOL WriteString(const char16_t* subKey, const char16_t* name, const CString16& text);

 protected:
  IKeyStore* KeyStore() const { return m_pKeyStore; }

  KeyHandle m_hKey = 0;
  CString16 m_strLastError;

 private:
  // Any failure but a missing value: tell the user.
  void ReportFailure(long code);
  // One value of any type, reported like every write.
  BOOL WriteValue(const char16_t* subKey, const char16_t* name, uint32_t type, const uint8_t* data,
                  uint32_t size);

  // Taken from the settings platform when the object is made, so that the key
  // is closed by the store that opened it.
  IKeyStore* m_pKeyStore;
  ISettingsMessages* m_pMessages;
};
