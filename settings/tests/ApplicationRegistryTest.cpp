// The named settings: defaults, where each is stored, and how failures show.
// Catches: a setting stored under the wrong key, name or type, a wrong default, a failure that
// shows no message or the wrong one.
#include <gtest/gtest.h>

#include "settings/ApplicationRegistry.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

using R = CApplicationRegistry;
using ApplicationRegistryTest = SettingsTest;
using Values = std::vector<int>;

// Every setting in the order of Read() and Write(): its key below the
// application's (empty: that key itself), its name and its default.
const struct {
  const char16_t* key;
  const char16_t* name;
  int defaultValue;
  CString16 Path() const { return *key ? kAppPath + u"\\" + key : kAppPath; }
} kSettings[] = {{u"", u"FirstRun", 1},
                 {u"MainWindow", u"Left", 0},
                 {u"MainWindow", u"Top", 0},
                 {u"MainWindow", u"Width", 360},
                 {u"MainWindow", u"Height", 550},
                 {u"MainWindow", u"DockingEnabled", 1},
                 {u"SmallWindow", u"Width", 415},
                 {u"SmallWindow", u"Height", 250},
                 {u"FindWindow", u"Width", -1},
                 {u"FindWindow", u"Height", -1},
                 {u"Options", u"DoPaste", 0},
                 {u"Options", u"ResetClipboardTimer", 10000},
                 {u"Options", u"MaxClipboardCopySize", 5},
                 {u"Options", u"BufferSize", 200}};

// Every setting through its accessor.
Values Read(R& r) {
  Values v(14);
  r.GetMainWindowPlacement(v[1], v[2], v[3], v[4]);
  r.GetSmallWindowSize(v[6], v[7]);
  r.GetFindWindowSize(v[8], v[9]);
  v[0] = r.GetFirstRun(), v[5] = r.GetDockingEnabled(), v[10] = r.GetDoPaste();
  v[11] = r.GetResetClipboardTimer(), v[12] = int(r.GetMaxClipboardCopySize());
  v[13] = r.GetBufferSize();
  return v;
}

// Every setter (the timer is set only from outside the program); their results.
std::vector<BOOL> Write(R& r, const Values& v) {
  std::vector<BOOL> ok{r.SetFirstRun(v[0]), r.SetMainWindowPlacement(v[1], v[2], v[3], v[4])};
  ok.insert(ok.end(), {r.SetDockingEnabled(v[5]), r.SetSmallWindowSize(v[6], v[7])});
  ok.insert(ok.end(), {r.SetFindWindowSize(v[8], v[9]), r.SetDoPaste(v[10])});
  ok.insert(ok.end(), {r.SetMaxClipboardCopySize(uint32_t(v[12])), r.SetBufferSize(v[13])});
  return ok;
}

TEST_F(ApplicationRegistryTest, EveryAccessorUsesItsOwnValue) {
  // Distinct numbers, so reading or writing a neighbour's value shows.
  Values values;
  for (const auto& s : kSettings) {
    values.push_back(20001 + int(values.size()));
    m_oStore.PutDword(s.Path(), s.name, uint32_t(values.back()));
  }
  R reader, writer;
  EXPECT_EQ(Read(reader), values);
  for (int& v : values) v = v == 20012 ? v : -v;
  EXPECT_EQ(Write(writer, values), std::vector<BOOL>(8, TRUE));
  EXPECT_EQ(Read(reader), values) << "read from the store each time";
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(StoredDword(m_oStore, kSettings[i].Path(), kSettings[i].name),
              int64_t{uint32_t(values[i])})
        << i;
}

TEST_F(ApplicationRegistryTest, ResetClipboardTimerNeverReadsBelowTenSeconds) {
  const struct {
    uint32_t stored;
    int expected;
  } cases[] = {{5000, 10000}, {9999, 10000}, {20000, 20000}, {0x80000000u, 10000}};
  for (const auto& c : cases) {
    m_oStore.PutDword(kOptionsPath, u"ResetClipboardTimer", c.stored);
    EXPECT_EQ(R().GetResetClipboardTimer(), c.expected) << c.stored;
  }
}

TEST_F(ApplicationRegistryTest, RefusedValueIsReportedAndTheOthersStillWritten) {
  m_oStore.PutDword(kOptionsPath, u"BufferSize", 50);
  m_oStore.DenyAccess(kOptionsPath, u"BufferSize");
  m_oStore.DenyAccess(kAppPath + u"\\MainWindow", u"Width");
  R registry;
  EXPECT_EQ(registry.GetBufferSize(), 200);
  EXPECT_FALSE(registry.SetBufferSize(10));
  EXPECT_FALSE(registry.SetMainWindowPlacement(1, 2, 3, 4));
  EXPECT_EQ(m_oStore.ValueNames(kAppPath + u"\\MainWindow"),
            (std::vector<CString16>{u"Left", u"Top", u"Height"}));
  EXPECT_EQ(Shown(), std::vector<CString16>(3, u"Access denied.\r\n"));
}

TEST_F(ApplicationRegistryTest, EmptyStoreUnopenableKeyOrNoPlatformGiveDefaultsSilently) {
  Values defaults;
  for (const auto& s : kSettings) defaults.push_back(s.defaultValue);
  R fresh;
  EXPECT_EQ(Read(fresh), defaults);
  for (const auto& s : kSettings) {  // each read creates its subkey, no value
    EXPECT_TRUE(m_oStore.HasKey(s.Path())) << Utf8FromUtf16(s.Path());
    EXPECT_TRUE(m_oStore.ValueNames(s.Path()).empty());
  }
  for (const auto& s : kSettings) m_oStore.PutDword(s.Path(), s.name, 12345);
  m_oStore.PutDword(kHotkeysPath, u"1025", 7);
  m_oStore.DenyAccess(kAppPath);
  for (bool platform : {true, false}) {
    SCOPED_TRACE(platform);
    if (!platform) SetSettingsPlatform(nullptr, nullptr);
    R registry;
    EXPECT_EQ(Read(registry), defaults);
    EXPECT_EQ(Write(registry, defaults), std::vector<BOOL>(8, FALSE));
    EXPECT_EQ(R().GetHotkey(1025), 0x30041u);
  }
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
