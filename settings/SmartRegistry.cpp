#include "settings/SmartRegistry.h"

#include <vector>

#include "settings/SettingsPlatform.h"

namespace {
constexpr uint32_t kKeyReadWrite = kKeyRead | kKeyWrite;  // 0x2001F
}  // namespace

CSmartRegistry::CSmartRegistry(KeyHandle root, const char16_t* path)
    : m_pKeyStore(GetSettingsKeyStore()), m_pMessages(GetSettingsMessages()) {
  Open(root, path);
}

CSmartRegistry::~CSmartRegistry() {
  if (m_hKey && m_pKeyStore) m_pKeyStore->CloseKey(m_hKey);
}

BOOL CSmartRegistry::Open(KeyHandle root, const char16_t* path) {
  if (m_hKey) {
    m_pKeyStore->CloseKey(m_hKey);
    m_hKey = 0;
  }
  if (!path || !m_pKeyStore) return FALSE;
  return m_pKeyStore->CreateKey(root, path, kKeyReadWrite, &m_hKey) == kErrorSuccess;
}

KeyHandle CSmartRegistry::OpenSubKey(const char16_t* subKey) {
  if (!subKey) return m_hKey;
  if (!m_pKeyStore) return 0;
  KeyHandle key = 0;
  if (m_pKeyStore->CreateKey(m_hKey, subKey, kKeyReadWrite, &key) != kErrorSuccess) return 0;
  return key;
}

void CSmartRegistry::CloseSubKey(KeyHandle key) {
  if (key && key != m_hKey) m_pKeyStore->CloseKey(key);
}

void CSmartRegistry::FormatLastError(long code) {
  m_strLastError = m_pKeyStore ? m_pKeyStore->SystemMessage(code) : CString16();
}

void CSmartRegistry::ReportFailure(long code) {
  FormatLastError(code);
  if (m_pMessages) m_pMessages->ShowError(m_strLastError);
}

uint32_t CSmartRegistry::ReadDWORD(const char16_t* subKey, const char16_t* name,
                                   uint32_t defaultValue) {
  const KeyHandle key = OpenSubKey(subKey);
  if (!key) return defaultValue;
  // The type is not examined: up to four bytes of anything land in the low
  // bytes of a zeroed number.
  uint32_t type = 0;
  uint32_t data = 0;
  uint32_t size = sizeof(data);
  const long rc =
      m_pKeyStore->QueryValue(key, name, &type, reinterpret_cast<uint8_t*>(&data), &size);
  CloseSubKey(key);
  if (rc == kErrorSuccess) return data;
  if (rc != kErrorFileNotFound) ReportFailure(rc);
  return defaultValue;
}

BOOL CSmartRegistry::WriteValue(const char16_t* subKey, const char16_t* name, uint32_t type,
                                const uint8_t* data, uint32_t size) {
  const KeyHandle key = OpenSubKey(subKey);
  if (!key) return FALSE;
  const long rc = m_pKeyStore->SetValue(key, name, type, data, size);
  CloseSubKey(key);
  if (rc == kErrorSuccess) return TRUE;
  ReportFailure(rc);
  return FALSE;
}

BOOL CSmartRegistry::WriteDWORD(const char16_t* subKey, const char16_t* name, uint32_t value) {
  return WriteValue(subKey, name, kRegDword, reinterpret_cast<const uint8_t*>(&value),
                    sizeof(value));
}

CString16 CSmartRegistry::ReadString(const char16_t* subKey, const char16_t* name,
                                     const CString16& defaultValue) {
  const KeyHandle key = OpenSubKey(subKey);
  if (!key) return defaultValue;
  uint32_t type = 0;
  uint32_t size = 0;
  if (m_pKeyStore->QueryValue(key, name, &type, nullptr, &size) != kErrorSuccess) {
    CloseSubKey(key);
    return defaultValue;
  }
  // One spare unit so that an empty value still has a buffer to point at.
  std::vector<char16_t> buffer(size / 2 + 1, u'\0');
  size = static_cast<uint32_t>(size / 2 * sizeof(char16_t));
  const long rc =
      m_pKeyStore->QueryValue(key, name, &type, reinterpret_cast<uint8_t*>(buffer.data()), &size);
  CloseSubKey(key);
  if (rc == kErrorSuccess) {
    // The stored text need not end in a null.
    CString16 text(buffer.data(), size / 2);
    const size_t end = text.find(u'\0');
    if (end != CString16::npos) text.resize(end);
    return text;
  }
  if (rc != kErrorFileNotFound) ReportFailure(rc);
  return defaultValue;
}

BOOL CSmartRegistry::WriteString(const char16_t* subKey, const char16_t* name,
                                 const CString16& text) {
  // The terminating null is part of the stored value.
  return WriteValue(subKey, name, kRegSz, reinterpret_cast<const uint8_t*>(text.c_str()),
                    static_cast<uint32_t>((text.size() + 1) * 2));
}
