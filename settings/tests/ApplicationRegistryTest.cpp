// The named settings: defaults, where each is stored, and how failures show.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "settings/ApplicationRegistry.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

using R = CApplicationRegistry;
using ApplicationRegistryTest = SettingsTest;

int Placement(R& r, int n) {
  int v[4] = {};
  r.GetMainWindowPlacement(v[0], v[1], v[2], v[3]);
  return v[n];
}
int Size(R& r, void (R::*get)(int&, int&), int n) {
  int v[2] = {};
  (r.*get)(v[0], v[1]);
  return v[n];
}

struct SETTING {
  const char16_t* subKey;  // empty: the application key itself
  const char16_t* name;
  int32_t defaultValue;
  std::function<int64_t(R&)> get;
  std::function<BOOL(R&, int32_t)> set;  // null: none of its own
  CString16 Path() const { return *subKey ? kAppPath + u"\\" + subKey : kAppPath; }
};

const std::vector<SETTING> kSettings = {
    {u"", u"FirstRun", 1, &R::GetFirstRun, &R::SetFirstRun},
    {u"MainWindow", u"Left", 0, [](R& r) { return Placement(r, 0); }, nullptr},
    {u"MainWindow", u"Top", 0, [](R& r) { return Placement(r, 1); }, nullptr},
    {u"MainWindow", u"Width", 360, [](R& r) { return Placement(r, 2); }, nullptr},
    {u"MainWindow", u"Height", 550, [](R& r) { return Placement(r, 3); }, nullptr},
    {u"MainWindow", u"DockingEnabled", 1, &R::GetDockingEnabled, &R::SetDockingEnabled},
    {u"SmallWindow", u"Width", 415, [](R& r) { return Size(r, &R::GetSmallWindowSize, 0); }, nullptr},
    {u"SmallWindow", u"Height", 250, [](R& r) { return Size(r, &R::GetSmallWindowSize, 1); }, nullptr},
    {u"FindWindow", u"Width", -1, [](R& r) { return Size(r, &R::GetFindWindowSize, 0); }, nullptr},
    {u"FindWindow", u"Height", -1, [](R& r) { return Size(r, &R::GetFindWindowSize, 1); }, nullptr},
    {u"Options", u"DoPaste", 0, &R::GetDoPaste, &R::SetDoPaste},
    {u"Options", u"ResetClipboardTimer", 10000, &R::GetResetClipboardTimer, nullptr},
    {u"Options", u"MaxClipboardCopySize", 5, &R::GetMaxClipboardCopySize, &R::SetMaxClipboardCopySize},
    {u"Options", u"BufferSize", 200, &R::GetBufferSize, &R::SetBufferSize},
};

TEST_F(ApplicationRegistryTest, EmptyStoreGivesDefaultsAndEachReadCreatesOnlyItsSubkey) {
  for (const SETTING& s : kSettings) {
    SCOPED_TRACE(Utf8FromUtf16(s.Path() + u"\\" + s.name));
    R registry;
    EXPECT_EQ(s.get(registry), s.defaultValue);
    EXPECT_TRUE(m_oStore.HasKey(s.Path()));
    EXPECT_TRUE(m_oStore.ValueNames(s.Path()).empty());
  }
  EXPECT_TRUE(Shown().empty());
}

TEST_F(ApplicationRegistryTest, EveryAccessorUsesItsOwnValue) {
  // Distinct numbers, so reading or writing a neighbour's value shows.
  int32_t next = 20001;
  for (const SETTING& s : kSettings) m_oStore.PutDword(s.Path(), s.name, next++);
  next = 20001;
  for (const SETTING& s : kSettings) {
    SCOPED_TRACE(Utf8FromUtf16(s.Path() + u"\\" + s.name));
    const int32_t value = next++;
    R registry;
    EXPECT_EQ(s.get(registry), value);
    if (s.set) {
      EXPECT_TRUE(s.set(registry, -value));
      EXPECT_EQ(Stored(s.Path(), s.name), uint32_t(-value));
    }
  }
  R registry;
  EXPECT_TRUE(registry.SetMainWindowPlacement(-10, 20, 300, 400));
  EXPECT_TRUE(registry.SetSmallWindowSize(500, 600));
  EXPECT_TRUE(registry.SetFindWindowSize(700, 800));
  const std::vector<uint32_t> expected{uint32_t(-10), 20, 300, 400, 500, 600, 700, 800};
  std::vector<uint32_t> stored;
  for (const auto* n : {u"Left", u"Top", u"Width", u"Height"})
    stored.push_back(Stored(kAppPath + u"\\MainWindow", n));
  for (const auto* k : {u"\\SmallWindow", u"\\FindWindow"})
    for (const auto* n : {u"Width", u"Height"}) stored.push_back(Stored(kAppPath + k, n));
  EXPECT_EQ(stored, expected);
}

TEST_F(ApplicationRegistryTest, ResetClipboardTimerNeverReadsBelowTenSeconds) {
  const struct { uint32_t stored; int expected; } cases[] = {
      {0, 10000}, {5000, 10000}, {uint32_t(-5), 10000}, {9999, 10000}, {10000, 10000},
      {20000, 20000}, {INT_MAX, INT_MAX}, {0x80000000u, 10000}};
  for (const auto& c : cases) {
    m_oStore.PutDword(kAppPath + u"\\Options", u"ResetClipboardTimer", c.stored);
    EXPECT_EQ(R().GetResetClipboardTimer(), c.expected) << c.stored;
  }
}

TEST_F(ApplicationRegistryTest, UpToFourBytesOfAnyTypeAreTheNumberMoreAreReported) {
  const struct { uint32_t type; std::vector<uint8_t> data; int expected; bool reported; } cases[] = {
      {kRegBinary, {0x34, 0x12}, 0x1234, false},
      {kRegBinary, {}, 0, false},
      {kRegSz, BytesOf(u"7"), 0x37, false},
      {kRegBinary, {1, 2, 3, 4, 5}, 200, true},
      {kRegSz, BytesOf(u"300"), 200, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data.size());
    m_oMessages.m_arrShown.clear();
    m_oStore.PutValue(kAppPath + u"\\Options", u"BufferSize", c.type, c.data);
    EXPECT_EQ(R().GetBufferSize(), c.expected);
    EXPECT_EQ(Shown().size(), c.reported ? 1u : 0u);
    if (c.reported) {
      EXPECT_EQ(Shown()[0], u"More data available.\r\n");
    }
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

TEST_F(ApplicationRegistryTest, UnopenableKeysGiveDefaultsAndFalseSilently) {
  for (const SETTING& s : kSettings) m_oStore.PutDword(s.Path(), s.name, 12345);
  m_oStore.PutDword(kAppPath + u"\\Hotkeys", u"1025", 7);
  for (const CString16& denied : {kAppPath + u"\\Options", kAppPath}) {
    m_oStore.DenyAccess(denied);
    for (const SETTING& s : kSettings) {
      if (denied != kAppPath && s.subKey != CString16(u"Options")) continue;
      SCOPED_TRACE(Utf8FromUtf16(s.Path() + u"\\" + s.name));
      R registry;
      EXPECT_EQ(s.get(registry), s.defaultValue);
      EXPECT_FALSE(s.set && s.set(registry, 1));
    }
  }
  R registry;
  EXPECT_FALSE(registry.SetMainWindowPlacement(1, 2, 3, 4));
  EXPECT_EQ(registry.GetHotkey(1025), 0x30041u);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(ApplicationRegistryTest, AWriteIsSeenByAnObjectMadeBeforeIt) {
  R reader;
  EXPECT_EQ(reader.GetBufferSize(), 200);
  R().SetBufferSize(33);
  EXPECT_EQ(reader.GetBufferSize(), 33);
}

}  // namespace
