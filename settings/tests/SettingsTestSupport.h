#pragma once
// A settings platform over the in-memory store, installed for one test.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"

class CRecordingMessages : public ISettingsMessages {
 public:
  void ShowError(const CString16& text) override { m_arrShown.push_back(text); }
  std::vector<CString16> m_arrShown;
};

// The program's file at a path the test chooses; an empty path cannot be read.
struct CFakeProgramFile : IProgramFile {
  bool GetExecutablePath(CString16& path) override {
    return !m_strPath.empty() && (path = m_strPath, true);
  }
  CString16 m_strPath;
};

inline const CString16 kAppPath = u"Software\\Orvelle\\Tansel";
inline const CString16 kRunPath = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

inline std::vector<uint8_t> BytesOf(const CString16& text) {
  std::vector<uint8_t> bytes((text.size() + 1) * 2);
  std::memcpy(bytes.data(), text.c_str(), bytes.size());
  return bytes;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsPlatform(&m_oStore, &m_oMessages, &m_oProgramFile); }
  void TearDown() override {
    SetSettingsPlatform(nullptr, nullptr);
    EXPECT_EQ(m_oStore.OpenHandleCount(), 0u) << "a settings object left a key open";
  }
  // A value's bytes; empty when there is none of that type.
  std::vector<uint8_t> Stored(const CString16& keyPath, const CString16& name, uint32_t type) {
    uint32_t found = 0;
    std::vector<uint8_t> data;
    return m_oStore.GetValue(keyPath, name, found, data) && found == type ? data
                                                                          : std::vector<uint8_t>();
  }
  // A stored DWORD; 0xBAD when there is none.
  uint32_t Stored(const CString16& keyPath, const CString16& name) {
    const std::vector<uint8_t> data = Stored(keyPath, name, kRegDword);
    uint32_t value = 0xBAD;
    if (data.size() == 4) std::memcpy(&value, data.data(), 4);
    return value;
  }
  std::vector<CString16> Shown() { return m_oMessages.m_arrShown; }

  CMemoryKeyStore m_oStore;
  CRecordingMessages m_oMessages;
  CFakeProgramFile m_oProgramFile;
};
