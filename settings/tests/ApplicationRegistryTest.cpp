// The named settings: defaults, where each is stored, and how failures show.
// Catches: a setting stored under the wrong key, name or type, a wrong default, a failure that
// shows no message or the wrong one.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "settings/ApplicationRegistry.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

using R = CApplicationRegistry;
using ApplicationRegistryTest = SettingsTest;
using Getter = std::function<int64_t(R&)>;
using Setter = std::function<BOOL(R&, int32_t)>;

// The n-th number of an accessor that handles several.
using Many = std::function<BOOL(R&, int*)>;
Getter Get(Many get, int n) {
  return [=](R& r) {
    int v[4] = {};
    return get(r, v), v[n];
  };
}
Setter Set(Many set, int n) {
  return [=](R& r, int32_t x) {
    int v[4] = {};
    v[n] = x;
    return set(r, v);
  };
}
const Many kPlaced = [](R& r, int* v) {
  return r.GetMainWindowPlacement(v[0], v[1], v[2], v[3]), 1;
};
const Many kPlace = [](R& r, int* v) { return r.SetMainWindowPlacement(v[0], v[1], v[2], v[3]); };
const Many kSmall = [](R& r, int* v) { return r.GetSmallWindowSize(v[0], v[1]), 1; };
const Many kSetSmall = [](R& r, int* v) { return r.SetSmallWindowSize(v[0], v[1]); };
const Many kFind = [](R& r, int* v) { return r.GetFindWindowSize(v[0], v[1]), 1; };
const Many kSetFind = [](R& r, int* v) { return r.SetFindWindowSize(v[0], v[1]); };

struct SETTING {
  const char16_t* subKey;  // empty: the application key itself
  const char16_t* name;
  int32_t defaultValue;
  Getter get;
  Setter set;  // null: set only from outside the program
  CString16 Path() const { return *subKey ? kAppPath + u"\\" + subKey : kAppPath; }
};

const std::vector<SETTING> kSettings = {
    {u"", u"FirstRun", 1, &R::GetFirstRun, &R::SetFirstRun},
    {u"MainWindow", u"Left", 0, Get(kPlaced, 0), Set(kPlace, 0)},
    {u"MainWindow", u"Top", 0, Get(kPlaced, 1), Set(kPlace, 1)},
    {u"MainWindow", u"Width", 360, Get(kPlaced, 2), Set(kPlace, 2)},
    {u"MainWindow", u"Height", 550, Get(kPlaced, 3), Set(kPlace, 3)},
    {u"MainWindow", u"DockingEnabled", 1, &R::GetDockingEnabled, &R::SetDockingEnabled},
    {u"SmallWindow", u"Width", 415, Get(kSmall, 0), Set(kSetSmall, 0)},
    {u"SmallWindow", u"Height", 250, Get(kSmall, 1), Set(kSetSmall, 1)},
    {u"FindWindow", u"Width", -1, Get(kFind, 0), Set(kSetFind, 0)},
    {u"FindWindow", u"Height", -1, Get(kFind, 1), Set(kSetFind, 1)},
    {u"Options", u"DoPaste", 0, &R::GetDoPaste, &R::SetDoPaste},
    {u"Options", u"ResetClipboardTimer", 10000, &R::GetResetClipboardTimer, nullptr},
    {u"Options", u"MaxClipboardCopySize", 5, &R::GetMaxClipboardCopySize,
     &R::SetMaxClipboardCopySize},
    {u"Options", u"BufferSize", 200, &R::GetBufferSize, &R::SetBufferSize},
};

TEST_F(ApplicationRegistryTest, EveryAccessorUsesItsOwnValue) {
  // Distinct numbers, so reading or writing a neighbour's value shows.
  int32_t next = 20001;
  for (const SETTING& s : kSettings) m_oStore.PutDword(s.Path(), s.name, next++);
  R reader;
  next = 20001;
  for (const SETTING& s : kSettings) EXPECT_EQ(s.get(reader), next++) << Utf8FromUtf16(s.name);
  // Setters of several values write zeros to the others: each is checked at
  // once, in the store and by the reader made before (nothing is cached).
  for (const SETTING& s : kSettings) {
    SCOPED_TRACE(Utf8FromUtf16(s.Path() + u"\\" + s.name));
    if (!s.set) continue;
    R writer;
    EXPECT_TRUE(s.set(writer, -20001));
    EXPECT_EQ(Stored(s.Path(), s.name), uint32_t(-20001));
    EXPECT_EQ(uint32_t(s.get(reader)), uint32_t(-20001));
  }
}

TEST_F(ApplicationRegistryTest, ResetClipboardTimerNeverReadsBelowTenSeconds) {
  const struct {
    uint32_t stored;
    int expected;
  } cases[] = {{0, 10000},     {5000, 10000},  {uint32_t(-5), 10000}, {9999, 10000},
               {10000, 10000}, {20000, 20000}, {INT_MAX, INT_MAX},    {0x80000000u, 10000}};
  for (const auto& c : cases) {
    m_oStore.PutDword(kAppPath + u"\\Options", u"ResetClipboardTimer", c.stored);
    EXPECT_EQ(R().GetResetClipboardTimer(), c.expected) << c.stored;
  }
}

TEST_F(ApplicationRegistryTest, UpToFourBytesOfAnyTypeAreTheNumberMoreAreReported) {
  const struct {
    uint32_t type;
    std::vector<uint8_t> data;
    int expected;
    bool reported;
  } cases[] = {
      {kRegBinary, {0x34, 0x12}, 0x1234, false}, {kRegBinary, {}, 0, false},
      {kRegSz, BytesOf(u"7"), 0x37, false},      {kRegBinary, {1, 2, 3, 4, 5}, 200, true},
      {kRegSz, BytesOf(u"300"), 200, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data.size());
    m_oMessages.m_arrShown.clear();
    m_oStore.PutValue(kAppPath + u"\\Options", u"BufferSize", c.type, c.data);
    EXPECT_EQ(R().GetBufferSize(), c.expected);
    EXPECT_EQ(Shown(), std::vector<CString16>(c.reported, u"More data available.\r\n"));
  }
}

TEST_F(ApplicationRegistryTest, RefusedValueIsReportedAndTheOthersStillWritten) {
  m_oStore.PutDword(kAppPath + u"\\Options", u"BufferSize", 50);
  m_oStore.DenyAccess(kAppPath + u"\\Options", u"BufferSize");
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
  for (const SETTING& s : kSettings) {  // an empty store: each read creates its subkey, no value
    R registry;
    EXPECT_EQ(s.get(registry), s.defaultValue) << Utf8FromUtf16(s.Path() + u"\\" + s.name);
    EXPECT_TRUE(m_oStore.HasKey(s.Path()));
    EXPECT_TRUE(m_oStore.ValueNames(s.Path()).empty());
  }
  for (const SETTING& s : kSettings) m_oStore.PutDword(s.Path(), s.name, 12345);
  m_oStore.PutDword(kAppPath + u"\\Hotkeys", u"1025", 7);
  m_oStore.DenyAccess(kAppPath);
  for (bool platform : {true, false}) {
    if (!platform) SetSettingsPlatform(nullptr, nullptr);
    for (const SETTING& s : kSettings) {
      SCOPED_TRACE(Utf8FromUtf16(s.Path() + u"\\" + s.name));
      R registry;
      EXPECT_EQ(s.get(registry), s.defaultValue);
      EXPECT_FALSE(s.set && s.set(registry, 1));
    }
    EXPECT_EQ(R().GetHotkey(1025), 0x30041u);
  }
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
