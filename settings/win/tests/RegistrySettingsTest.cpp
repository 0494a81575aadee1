// The settings classes over the real (Wine) registry.
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsPlatform.h"
#include "settings/win/RegistryKeyStore.h"
#include "settings/win/tests/WinTestSupport.h"

namespace {

class RegistrySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsPlatform(&m_oStore, &m_oMessages); }
  void TearDown() override { SetSettingsPlatform(nullptr, nullptr); }
  CRegistryKeyStore m_oStore;
  CRecordingMessages m_oMessages;
};

TEST_F(RegistrySettingsTest, ReadsCreateTheSubkeyAndReportLongDataAsInMemory) {
  CThrowawayKey key("smart");
  CSmartRegistry registry(kHKeyCurrentUser, key.Path().c_str());
  EXPECT_FALSE(key.Exists(u"Options"));
  EXPECT_EQ(registry.ReadDWORD(u"Options", u"Missing", 77), 77u);
  EXPECT_TRUE(key.Exists(u"Options"));
  EXPECT_TRUE(m_oMessages.m_arrShown.empty());

  const BYTE bytes[5] = {1, 2, 3, 4, 5};
  RegSetKeyValueW(HKEY_CURRENT_USER, WinText(key.Path() + u"\\Options"), L"Long", REG_BINARY, bytes, 5);
  RegSetKeyValueW(HKEY_CURRENT_USER, WinText(key.Path() + u"\\Options"), L"Short", REG_BINARY, bytes, 2);
  EXPECT_EQ(registry.ReadDWORD(u"Options", u"Long", 77), 77u);
  EXPECT_EQ(registry.ReadDWORD(u"Options", u"Short", 77), 0x0201u);
  EXPECT_EQ(m_oMessages.m_arrShown, std::vector<CString16>{CMemoryKeyStore().SystemMessage(kErrorMoreData)});

  const CString16 text = u"Tansel \u00e9\u4e2d";
  ASSERT_TRUE(registry.WriteString(u"Options", u"Text", text));
  EXPECT_EQ(registry.ReadString(u"Options", u"Text", u""), text);
  DWORD type = 0, size = 0;
  RegGetValueW(HKEY_CURRENT_USER, WinText(key.Path() + u"\\Options"), L"Text", RRF_RT_ANY, &type,
               nullptr, &size);
  EXPECT_EQ(std::make_pair(type, size), std::make_pair(DWORD(REG_SZ), DWORD(text.size() + 1) * 2));
}

// Puts the current user's Run entry, and the application key, back as they were.
class CRunEntryGuard {
 public:
  CRunEntryGuard() {
    RegCreateKeyExW(HKEY_CURRENT_USER, kRun, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hRun,
                    &m_dwDisposition);
    DWORD size = sizeof(m_data);
    m_bHad = RegQueryValueExW(m_hRun, L"Tansel", nullptr, &m_dwType, m_data, &size) == ERROR_SUCCESS;
    m_dwSize = size;
    HKEY key = nullptr;
    m_bHadApplication =
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Orvelle", 0, KEY_READ, &key) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  ~CRunEntryGuard() {
    RegDeleteValueW(m_hRun, L"Tansel");
    if (m_bHad) RegSetValueExW(m_hRun, L"Tansel", 0, m_dwType, m_data, m_dwSize);
    RegCloseKey(m_hRun);
    if (m_dwDisposition == REG_CREATED_NEW_KEY) RegDeleteKeyW(HKEY_CURRENT_USER, kRun);
    if (!m_bHadApplication) {
      RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvelle");
      RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orvelle");
    }
  }
  // The entry now; empty when there is none.
  CString16 Entry(DWORD& type) const {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegQueryValueExW(m_hRun, L"Tansel", nullptr, &type, reinterpret_cast<BYTE*>(text), &size)) return u"";
    return PortableString(text, size / 2);
  }

 private:
  static constexpr const wchar_t* kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  HKEY m_hRun = nullptr;
  DWORD m_dwDisposition = 0, m_dwType = 0, m_dwSize = 0;
  BYTE m_data[4096] = {};
  bool m_bHad = false, m_bHadApplication = false;
};

TEST_F(RegistrySettingsTest, RunEntryRoundTripsOnTheRealRunKey) {
  CRunEntryGuard guard;
  wchar_t exe[MAX_PATH];
  const CString16 quoted = u"\"" + PortableString(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH)) + u"\"";
  CApplicationRegistry registry;
  registry.SetStartWithWindows(TRUE);
  DWORD type = 0;
  EXPECT_EQ(guard.Entry(type), quoted + CString16(1, u'\0'));  // stored with its terminator
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_TRUE(registry.IsStartWithWindows());
  registry.SetStartWithWindows(FALSE);
  EXPECT_EQ(guard.Entry(type), u"");
  EXPECT_FALSE(registry.IsStartWithWindows());
  EXPECT_TRUE(m_oMessages.m_arrShown.empty());
}

}  // namespace
