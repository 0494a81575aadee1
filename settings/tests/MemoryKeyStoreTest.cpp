// The in-memory store: the registry's behaviour, and the refusals it adds.
#include <gtest/gtest.h>

#include "settings/tests/KeyStoreBehaviour.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, KeyStoreBehaviour, ::testing::Types<CMemoryHarness>);

namespace {

TEST(MemoryKeyStoreTest, DeniedKeysAndValuesRefuseOnlyThemselves) {
  CMemoryKeyStore store;
  store.PutDword(u"Software\\A\\Locked", u"V", 1);
  store.PutDword(u"Software\\A", u"Locked", 1);
  store.DenyAccess(u"software\\a\\LOCKED");
  store.DenyAccess(u"Software\\A\\NotYetThere");
  store.DenyAccess(u"Software\\A", u"LOCKED");
  const struct { const char16_t* path; long open, create; } cases[] = {
      {u"Software\\A\\Locked", kErrorAccessDenied, kErrorAccessDenied},
      {u"Software\\A\\NotYetThere", kErrorAccessDenied, kErrorAccessDenied},
      {u"Software\\A\\Other", kErrorFileNotFound, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromUtf16(c.path));
    KeyHandle key = 0;
    EXPECT_EQ(store.OpenKey(kHKeyCurrentUser, c.path, kKeyRead, &key), c.open);
    EXPECT_EQ(store.CreateKey(kHKeyCurrentUser, c.path, kKeyRead, &key), c.create);
    store.CloseKey(key);
  }
  EXPECT_FALSE(store.HasKey(u"Software\\A\\NotYetThere"));  // a refused create leaves nothing

  KeyHandle key = 0;
  ASSERT_EQ(store.OpenKey(kHKeyCurrentUser, u"Software\\A", kKeyAllAccess, &key), 0);
  const uint8_t four[4] = {};
  uint32_t size = 0;
  EXPECT_EQ(store.QueryValue(key, u"Locked", nullptr, nullptr, &size), kErrorAccessDenied);
  EXPECT_EQ(store.SetValue(key, u"Locked", kRegDword, four, 4), kErrorAccessDenied);
  EXPECT_EQ(store.DeleteValue(key, u"Locked"), kErrorAccessDenied);
  EXPECT_EQ(store.SetValue(key, u"Open", kRegDword, four, 4), 0);
  store.CloseKey(key);
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

}  // namespace
