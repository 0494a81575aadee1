// CSmartRegistry: where values land and which failures reach the user.
#include <gtest/gtest.h>

#include <functional>

#include "settings/SmartRegistry.h"
#include "settings/tests/SettingsTestSupport.h"

namespace {

const CString16 kKey = u"Software\\TanselSmart";
const CString16 kGroupPath = kKey + u"\\Group";
const char16_t kGroup[] = u"Group";

using SmartRegistryTest = SettingsTest;

TEST_F(SmartRegistryTest, NullSubkeyIsTheKeyAndReopeningClosesTheFormer) {
  {
    CSmartRegistry registry(kHKeyCurrentUser, kKey.c_str());
    EXPECT_TRUE(registry.WriteDWORD(nullptr, u"Top", 7));
    EXPECT_TRUE(registry.WriteDWORD(kGroup, u"Inner", 8));
    EXPECT_TRUE(registry.Open(kHKeyCurrentUser, u"Software\\Second"));
    EXPECT_EQ(m_oStore.OpenHandleCount(), 1u);
    EXPECT_FALSE(registry.Open(kHKeyCurrentUser, nullptr));
    EXPECT_EQ(m_oStore.OpenHandleCount(), 0u);
    EXPECT_EQ(registry.ReadDWORD(nullptr, u"Top", 42), 42u);
  }
  EXPECT_EQ(Stored(kKey, u"Top"), 7u);
  EXPECT_EQ(Stored(kGroupPath, u"Inner"), 8u);
  EXPECT_TRUE(m_oStore.HasKey(u"Software\\Second"));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SmartRegistryTest, OnlyFailuresOtherThanMissingAreShown) {
  m_oStore.PutValue(kGroupPath, u"Long", kRegBinary, {1, 2, 3, 4, 5});
  m_oStore.DenyAccess(kGroupPath, u"Locked");
  CSmartRegistry registry(kHKeyCurrentUser, kKey.c_str());
  const struct { const char* what; std::function<bool()> fellBack; const char16_t* shown; } cases[] = {
      {"missing", [&] { return registry.ReadDWORD(kGroup, u"None", 3) == 3; }, nullptr},
      {"too long", [&] { return registry.ReadDWORD(kGroup, u"Long", 3) == 3; }, u"More data available.\r\n"},
      {"denied read", [&] { return registry.ReadDWORD(kGroup, u"Locked", 3) == 3; }, u"Access denied.\r\n"},
      {"denied write", [&] { return !registry.WriteDWORD(kGroup, u"Locked", 1); }, u"Access denied.\r\n"},
      {"denied text write", [&] { return !registry.WriteString(kGroup, u"Locked", u"x"); },
       u"Access denied.\r\n"},
      // A text read's size query fails quietly, whatever the reason.
      {"denied text read", [&] { return registry.ReadString(kGroup, u"Locked", u"d") == u"d"; }, nullptr},
      {"missing text", [&] { return registry.ReadString(kGroup, u"None", u"d") == u"d"; }, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_oMessages.m_arrShown.clear();
    EXPECT_TRUE(c.fellBack());
    EXPECT_EQ(Shown(), c.shown ? std::vector<CString16>{c.shown} : std::vector<CString16>{});
  }
}

TEST_F(SmartRegistryTest, UnopenableSubkeyOrNoPlatformGiveDefaultsQuietly) {
  m_oStore.DenyAccess(kGroupPath);
  for (bool platform : {true, false}) {
    if (!platform) SetSettingsPlatform(nullptr, nullptr);
    CSmartRegistry registry(kHKeyCurrentUser, kKey.c_str());
    EXPECT_EQ(registry.ReadDWORD(kGroup, u"V", 5), 5u);
    EXPECT_FALSE(registry.WriteDWORD(kGroup, u"V", 1));
    EXPECT_EQ(registry.ReadString(kGroup, u"S", u"d"), u"d");
    EXPECT_FALSE(registry.WriteString(kGroup, u"S", u"x"));
  }
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SmartRegistryTest, TextsAreStoredWithTheirTerminatorAndReadWithoutNeedingIt) {
  CSmartRegistry registry(kHKeyCurrentUser, kKey.c_str());
  for (const CString16 text : {u"", u"a", u"Tansel \u00e9\u4e2d"}) {
    ASSERT_TRUE(registry.WriteString(kGroup, u"S", text));
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(m_oStore.GetValue(kGroupPath, u"S", type, data));
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(data, BytesOf(text));
    EXPECT_EQ(registry.ReadString(kGroup, u"S", u"default"), text);
  }
  m_oStore.PutValue(kGroupPath, u"Bare", kRegSz, {'a', 0, 'b', 0});
  m_oStore.PutValue(kGroupPath, u"Inner", kRegSz, BytesOf(CString16(u"ab\0cd", 5)));
  EXPECT_EQ(registry.ReadString(kGroup, u"Bare", u""), u"ab");
  EXPECT_EQ(registry.ReadString(kGroup, u"Inner", u""), u"ab");
}

}  // namespace
