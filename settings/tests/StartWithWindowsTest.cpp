// Start with Windows: the Run value's form, detection and removal.
// Catches: a Run value in the wrong form, a switch that is not detected, removal that leaves the
// value, a Run key created where there was none.
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/StartUp.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

const CString16 kExe = CFakeProgramFile().m_strPath;

class StartWithWindowsTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    m_oStore.PutValue(kRunPath, u"Other", kRegSz, BytesOf(u"other.exe"));
  }
  std::vector<uint8_t> Entry() { return StoredBytes(m_oStore, kRunPath, u"Tansel", kRegSz); }
};

TEST_F(StartWithWindowsTest,
       OnWritesTheQuotedPathIfItFitsReplacingAnyEntryOffDeletesItNoRunKeyIsMade) {
  // 260 units hold two quotes, the path and the terminator.
  for (const CString16& path :
       {kExe, u"C:\\" + CString16(254, u'a'), u"C:\\" + CString16(255, u'a'), CString16()}) {
    SCOPED_TRACE(path.size());
    const bool bFits = !path.empty() && path.size() <= 257;
    m_oProgramFile.m_strPath = path;
    if (bFits) m_oStore.PutValue(kRunPath, u"TANSEL", kRegDword, {1, 0, 0, 0});
    CApplicationRegistry registry;
    registry.SetStartWithWindows(TRUE);
    EXPECT_EQ(Entry(), bFits ? BytesOf(u"\"" + path + u"\"") : std::vector<uint8_t>());
    EXPECT_EQ(!!registry.IsStartWithWindows(), bFits);
    registry.SetStartWithWindows(FALSE);
    EXPECT_FALSE(registry.IsStartWithWindows());
    EXPECT_EQ(m_oStore.ValueNames(kRunPath), std::vector<CString16>{u"Other"});
  }
  // A missing Run key (its parent there) is neither created nor reported.
  m_oStore.Clear();
  m_oStore.PutDword(u"Software\\Microsoft\\Windows\\CurrentVersion", u"Keep", 1);
  m_oProgramFile.m_strPath = kExe;
  CApplicationRegistry().SetStartWithWindows(TRUE);
  EXPECT_FALSE(CApplicationRegistry().IsStartWithWindows());
  CApplicationRegistry().SetStartWithWindows(FALSE);
  EXPECT_FALSE(m_oStore.HasKey(kRunPath));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(StartWithWindowsTest, DetectionComparesNamesWithoutCaseAndIgnoresTheData) {
  // A name longer than MAX_PATH comes first and does not end the search.
  m_oStore.PutValue(kRunPath, CString16(300, u'x'), kRegSz, BytesOf(u"x"));
  const struct {
    const char16_t* name;
    bool on;
  } cases[] = {{u"Tanse", false}, {u"Tansel ", false}, {u"xTansel", false}, {u"tAnSeL", true}};
  for (const auto& c : cases) {
    m_oStore.PutValue(kRunPath, c.name, kRegBinary, {1});
    EXPECT_EQ(!!CApplicationRegistry().IsStartWithWindows(), c.on) << Utf8FromUtf16(c.name);
  }
}

TEST_F(StartWithWindowsTest, OnlyTheFirstStartSwitchesItOn) {
  const CString16 quoted = u"\"" + kExe + u"\"";
  // A new installation (no FirstRun) is checked by the end-to-end first start.
  const struct {
    const char* what;
    uint32_t nFirstRun;
    bool bEntryBefore, bEntryAfter;
  } cases[] = {{"any nonzero FirstRun", 0xFFFFFFFF, false, true},
               {"a later start, entry removed by the user", 0, false, false},
               {"a later start, entry kept", 0, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CApplicationRegistry().SetStartWithWindows(c.bEntryBefore);
    m_oStore.PutDword(kAppPath, u"FirstRun", c.nFirstRun);
    HandleFirstRun();
    EXPECT_EQ(StoredDword(m_oStore, kAppPath, u"FirstRun"), 0);
    EXPECT_EQ(Entry(), c.bEntryAfter ? BytesOf(quoted) : std::vector<uint8_t>());
  }
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
