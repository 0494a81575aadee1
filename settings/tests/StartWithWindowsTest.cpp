// Start with Windows: the Run value's form, detection and removal.
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

const CString16 kExe = u"C:\\Program Files\\Tansel\\Tansel.exe";

class StartWithWindowsTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    m_oStore.SetExecutablePath(kExe);
    m_oStore.PutValue(kRunPath, u"Other", kRegSz, BytesOf(u"other.exe"));
  }
  // The Run entry's data; empty when there is none.
  std::vector<uint8_t> Entry() {
    uint32_t type = kRegSz;
    std::vector<uint8_t> data;
    m_oStore.GetValue(kRunPath, u"Tansel", type, data);
    EXPECT_EQ(type, kRegSz);
    return data;
  }
};

TEST_F(StartWithWindowsTest, OnWritesTheQuotedPathReplacingAnyEntryOffDeletesIt) {
  m_oStore.PutValue(kRunPath, u"TANSEL", kRegDword, {1, 0, 0, 0});
  {
    CApplicationRegistry registry;
    registry.SetStartWithWindows(TRUE);
    EXPECT_EQ(Entry(), BytesOf(u"\"" + kExe + u"\""));  // (characters + 1) * 2 bytes
    EXPECT_TRUE(registry.IsStartWithWindows());
    registry.SetStartWithWindows(FALSE);
    registry.SetStartWithWindows(FALSE);  // already gone: still nothing reported
    EXPECT_FALSE(registry.IsStartWithWindows());
  }
  EXPECT_EQ(m_oStore.ValueNames(kRunPath), std::vector<CString16>{u"Other"});
  EXPECT_TRUE(Shown().empty());
}

TEST_F(StartWithWindowsTest, DetectionComparesNamesWithoutCaseAndIgnoresTheData) {
  const struct { std::vector<const char16_t*> names; bool on; } cases[] = {
      {{u"Tansel"}, true},   {{u"TANSEL"}, true},   {{u"Zed", u"tAnSeL"}, true},
      {{}, false},           {{u"Tanse"}, false},   {{u"Tansel "}, false},
      {{u"Tansel2", u"xTansel"}, false},
  };
  for (const auto& c : cases) {
    CMemoryKeyStore store;
    store.PutValue(kRunPath, u"Other", kRegSz, BytesOf(u"x"));
    // A name longer than MAX_PATH does not end the search early.
    store.PutValue(kRunPath, CString16(300, u'x'), kRegSz, BytesOf(u"x"));
    for (const char16_t* name : c.names) store.PutValue(kRunPath, name, kRegBinary, {1});
    SetSettingsPlatform(&store, &m_oMessages);
    EXPECT_EQ(!!CApplicationRegistry().IsStartWithWindows(), c.on) << c.names.size();
    EXPECT_EQ(store.OpenHandleCount(), 0u);
  }
}

TEST_F(StartWithWindowsTest, NothingIsWrittenWithoutAPathThatFitsWithItsQuotes) {
  // 260 units hold two quotes, the path and the terminator.
  const struct { CString16 path; bool written; } cases[] = {
      {u"C:\\" + CString16(254, u'a'), true}, {u"C:\\" + CString16(255, u'a'), false}, {u"", false}};
  for (const auto& c : cases) {
    m_oStore.SetExecutablePath(c.path);
    CApplicationRegistry registry;
    registry.SetStartWithWindows(FALSE);
    registry.SetStartWithWindows(TRUE);
    EXPECT_EQ(Entry().size(), c.written ? 520u : 0u) << c.path.size();
  }
}

TEST_F(StartWithWindowsTest, MissingOrRefusingRunKeyChangesAndReportsNothing) {
  m_oStore.PutValue(kRunPath, u"Tansel", kRegSz, BytesOf(u"old"));
  m_oStore.DenyAccess(kRunPath, u"Tansel");
  CApplicationRegistry().SetStartWithWindows(TRUE);
  CApplicationRegistry().SetStartWithWindows(FALSE);
  EXPECT_EQ(Entry(), BytesOf(u"old"));

  CMemoryKeyStore store;  // the Run key's parent exists, the Run key does not
  store.SetExecutablePath(kExe);
  store.PutDword(u"Software\\Microsoft\\Windows", u"Keep", 1);
  SetSettingsPlatform(&store, &m_oMessages);
  CApplicationRegistry().SetStartWithWindows(TRUE);
  EXPECT_FALSE(CApplicationRegistry().IsStartWithWindows());
  CApplicationRegistry().SetStartWithWindows(FALSE);
  EXPECT_FALSE(store.HasKey(u"Software\\Microsoft\\Windows\\CurrentVersion"));
  EXPECT_EQ(store.OpenHandleCount(), 0u);
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
