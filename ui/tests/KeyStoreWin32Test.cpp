// The registry store against Wine's registry: the answers the in-memory store
// is held to, and the settings over it.
// Catches: a registry store whose answers differ from Wine's registry where the settings rely on
// them.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "settings/SmartRegistry.h"
#include "settings/tests/KeyStoreBehaviour.h"
#include "settings/tests/SettingsTestSupport.h"
#include "ui/Handles.h"
#include "ui/KeyStoreWin32.h"
#include "ui/WinText.h"

namespace {

// The registry key removed before the harness makes it and after it closes it.
struct CRegistryCleaner {
  explicit CRegistryCleaner(const CString16& path) : m_strKey(path) { Remove(); }
  ~CRegistryCleaner() { Remove(); }
  void Remove() {
    RegDeleteTreeW(HKEY_CURRENT_USER, WinText(m_strKey));
    RegDeleteKeyW(HKEY_CURRENT_USER, WinText(m_strKey));
  }
  const CString16 m_strKey;
};

// A key below HKEY_CURRENT_USER that exists, empty, only for one test.
struct CRegistryHarness : CRegistryCleaner, CKeyHarness<CKeyStoreWin32> {
  CRegistryHarness()
      : CRegistryCleaner(u"Software\\TanselTest-" +
                         Utf16FromUtf8(std::to_string(GetCurrentProcessId()))),
        CKeyHarness(m_strKey) {}
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, KeyStoreBehaviour, ::testing::Types<CRegistryHarness>);

namespace {

TEST(RegistrySettingsTest, ReadsCreateTheSubkeyAndReportLongDataWithTheSystemText) {
  CRegistryHarness key;
  CRecordingMessages messages;
  SetSettingsPlatform(&key.Store(), &messages);
  const CString16 options = key.BasePath() + u"\\Options";
  CSmartRegistry registry(kHKeyCurrentUser, key.BasePath().c_str());
  CKeyHandle hOptions;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, WinText(options), 0, KEY_READ, hOptions.Receive()),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.ReadDWORD(u"Options", u"Missing", 77), 77u);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, WinText(options), 0, KEY_READ, hOptions.Receive()),
            ERROR_SUCCESS);

  const BYTE bytes[5] = {1, 2, 3, 4, 5};
  RegSetKeyValueW(HKEY_CURRENT_USER, WinText(options), L"Long", REG_BINARY, bytes, 5);
  RegSetKeyValueW(HKEY_CURRENT_USER, WinText(options), L"Short", REG_BINARY, bytes, 2);
  EXPECT_EQ(registry.ReadDWORD(u"Options", u"Long", 77), 77u);
  EXPECT_EQ(registry.ReadDWORD(u"Options", u"Short", 77), 0x0201u);
  EXPECT_EQ(messages.m_arrShown, std::vector<CString16>{u"More data available.\r\n"});
  SetSettingsPlatform(nullptr, nullptr);
}

}  // namespace
