// CSmartRegistry: the key it holds, texts, numbers of any stored size, and
// which failures reach the user. Keys that cannot be opened are checked
// through the named settings.
// Catches: a registry wrapper that opens the wrong key, mistreats texts, reads a number from the
// wrong bytes or size, or reports a failure that should stay silent (or the reverse).
#include <gtest/gtest.h>

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
  EXPECT_EQ(StoredDword(m_oStore, kKey, u"Top"), 7);
  EXPECT_EQ(StoredDword(m_oStore, kGroupPath, u"Inner"), 8);
}

TEST_F(SmartRegistryTest, TextsAreStoredWithTheirTerminatorAndReadWithoutNeedingIt) {
  CSmartRegistry registry(kHKeyCurrentUser, kKey.c_str());
  for (const CString16 text : {u"", u"a", u"Tansel \u00e9\u4e2d"}) {
    ASSERT_TRUE(registry.WriteString(kGroup, u"S", text));
    EXPECT_EQ(StoredBytes(m_oStore, kGroupPath, u"S", kRegSz), BytesOf(text));
    EXPECT_EQ(registry.ReadString(kGroup, u"S", u"default"), text);
  }
  m_oStore.PutValue(kGroupPath, u"Bare", kRegSz, {'a', 0, 'b', 0});
  m_oStore.PutValue(kGroupPath, u"Inner", kRegSz, BytesOf(CString16(u"ab\0cd", 5)));
  EXPECT_EQ(registry.ReadString(kGroup, u"Bare", u""), u"ab");
  EXPECT_EQ(registry.ReadString(kGroup, u"Inner", u""), u"ab");
  // A missing or refused text reads as the default quietly (its size query
  // fails first); a refused write is shown.
  m_oStore.DenyAccess(kGroupPath, u"Locked");
  EXPECT_EQ(registry.ReadString(kGroup, u"None", u"d"), u"d");
  EXPECT_EQ(registry.ReadString(kGroup, u"Locked", u"d"), u"d");
  EXPECT_FALSE(registry.WriteString(kGroup, u"Locked", u"x"));
  EXPECT_EQ(Shown(), std::vector<CString16>{u"Access denied.\r\n"});
}

TEST_F(SmartRegistryTest, UpToFourBytesOfAnyTypeAreTheNumberMoreAreReported) {
  CSmartRegistry registry(kHKeyCurrentUser, kKey.c_str());
  const struct {
    uint32_t type;
    std::vector<uint8_t> data;
    uint32_t read;  // 42: the default
  } cases[] = {{kRegBinary, {0x34, 0x12}, 0x1234},
               {kRegBinary, {}, 0},
               {kRegSz, BytesOf(u"7"), 0x37},
               {kRegBinary, {1, 2, 3, 4, 5}, 42},
               {kRegSz, BytesOf(u"300"), 42}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data.size());
    m_oMessages.m_arrShown.clear();
    m_oStore.PutValue(kGroupPath, u"N", c.type, c.data);
    EXPECT_EQ(registry.ReadDWORD(kGroup, u"N", 42), c.read);
    EXPECT_EQ(Shown(), std::vector<CString16>(c.read == 42, u"More data available.\r\n"));
  }
}

}  // namespace
