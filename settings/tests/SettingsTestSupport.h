#pragma once
// What the settings tests share, native and Win32: a settings platform over
// the in-memory store, the places and names the settings use, and the
// command table as the user sees it.
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
  CString16 m_strPath = u"C:\\Program Files\\Tansel\\Tansel.exe";
};

inline const CString16 kAppPath = u"Software\\Orvelle\\Tansel";
inline const CString16 kOptionsPath = kAppPath + u"\\Options";
inline const CString16 kHotkeysPath = kAppPath + u"\\Hotkeys";
inline const CString16 kRunPath = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

inline std::vector<uint8_t> BytesOf(const CString16& text) {
  std::vector<uint8_t> bytes((text.size() + 1) * 2);
  std::memcpy(bytes.data(), text.c_str(), bytes.size());
  return bytes;
}

// A value's bytes; empty when there is none of that type.
inline std::vector<uint8_t> StoredBytes(const CMemoryKeyStore& store, const CString16& keyPath,
                                        const CString16& name, uint32_t type) {
  uint32_t found = 0;
  std::vector<uint8_t> data;
  return store.GetValue(keyPath, name, found, data) && found == type ? data
                                                                     : std::vector<uint8_t>();
}

// A stored DWORD; -1 when there is none.
inline int64_t StoredDword(const CMemoryKeyStore& store, const CString16& keyPath,
                           const CString16& name) {
  const std::vector<uint8_t> data = StoredBytes(store, keyPath, name, kRegDword);
  uint32_t value = 0;
  return data.size() == 4 ? (std::memcpy(&value, data.data(), 4), int64_t{value}) : -1;
}

// Every command in display order: its id, group, name and built-in hotkey.
const struct COMMAND_ROW {
  uint32_t id, group;
  const char16_t* name;
  uint32_t hotkey;
} kCommandRows[] = {
    {1025, 0, u"Show Main Window", 0x30041},
    {1026, 0, u"Show Clip Window", 0x30030},
    {1141, 1, u"Preview First Item", 0},
    {1142, 1, u"Edit First Item", 0},
    {1143, 1, u"Bookmark First Item", 0x30033},
    {1144, 1, u"Activate First Bookmark", 0x30036},
    {1125, 1, u"Revert First Items", 0x30039},
    {1126, 1, u"Uppercase First Item", 0},
    {1127, 1, u"Lowercase First Item", 0},
    {1145, 1, u"Title First Item", 0},
    {1128, 1, u"Smart Make Object First Item", 0x3006A},
    {1130, 1, u"Smart Convert from ID First Item", 0x3006B},
    {1129, 1, u"Smart Convert to ID First Item", 0x3006D},
    {1131, 1, u"Insert date/time - 'yyyy.mm.dd'", 0},
    {1132, 1, u"Insert date/time - 'yyyy-mm-dd'", 0},
    {1133, 1, u"Insert date/time - 'yyyy.mm.dd HH-MM-SS'", 0},
    {1134, 1, u"Insert date/time - 'yyyy-mm-dd HH-MM-SS'", 0},
    {1135, 1, u"Insert date/time - 'yyyy-mm-dd_HH-MM-SS'", 0},
    {1136, 1, u"Insert date/time - 'HH-MM-SS'", 0},
    {1137, 1, u"Insert date/time - 'HH.MM.SS'", 0},
    {1138, 1, u"Insert date/time - 'yyyymmdd'", 0},
    {1139, 1, u"Insert date/time - 'HHMMSS'", 0},
    {1140, 1, u"Insert date/time - 'yyyymmddHHMMSS'", 0},
    {1225, 2, u"Paste Activated Item", 0},
    {1226, 2, u"Reset Clipboard Viewer", 0},
};

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsPlatform(&m_oStore, &m_oMessages, &m_oProgramFile); }
  void TearDown() override {
    SetSettingsPlatform(nullptr, nullptr);
    EXPECT_EQ(m_oStore.OpenHandleCount(), 0u) << "a settings object left a key open";
  }
  std::vector<CString16> Shown() { return m_oMessages.m_arrShown; }

  CMemoryKeyStore m_oStore;
  CRecordingMessages m_oMessages;
  CFakeProgramFile m_oProgramFile;
};
