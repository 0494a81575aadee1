#pragma once
// Test helpers over the real registry.
#include <windows.h>

#include <string>
#include <vector>

#include "settings/SettingsMessages.h"
#include "ui/WinText.h"

// A key below HKEY_CURRENT_USER that exists only for one test.
class CThrowawayKey {
 public:
  explicit CThrowawayKey(const char* purpose)
      : m_strPath(Utf16FromUtf8(std::string("Software\\TanselTest-") + purpose + "-" +
                                std::to_string(GetCurrentProcessId()))) {
    Remove();
  }
  ~CThrowawayKey() { Remove(); }
  CThrowawayKey(const CThrowawayKey&) = delete;
  CThrowawayKey& operator=(const CThrowawayKey&) = delete;

  const CString16& Path() const { return m_strPath; }
  bool Exists(const CString16& below) const {
    HKEY key = nullptr;
    const CString16 path = below.empty() ? m_strPath : m_strPath + u"\\" + below;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, WinText(path), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

 private:
  void Remove() {
    RegDeleteTreeW(HKEY_CURRENT_USER, WinText(m_strPath));
    RegDeleteKeyW(HKEY_CURRENT_USER, WinText(m_strPath));
  }
  CString16 m_strPath;
};

class CRecordingMessages : public ISettingsMessages {
 public:
  void ShowError(const CString16& text) override { m_arrShown.push_back(text); }
  std::vector<CString16> m_arrShown;
};
