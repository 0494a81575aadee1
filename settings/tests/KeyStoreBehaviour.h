#pragma once
// How a key store answers, as the Win32 registry does. The same cases run
// against the in-memory store everywhere and against the real registry under
// Wine, which is what makes the in-memory store a faithful stand-in.
// A harness supplies Store(), an empty key Base() opened with full access and
// its path BasePath() below HKEY_CURRENT_USER, for one test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "settings/MemoryKeyStore.h"

template <class TStore>
class CKeyHarness {
 public:
  explicit CKeyHarness(CString16 path = u"Software\\TanselTest") : m_strPath(std::move(path)) {
    m_oStore.CreateKey(kHKeyCurrentUser, m_strPath.c_str(), kKeyAllAccess, &m_hBase);
  }
  ~CKeyHarness() { m_oStore.CloseKey(m_hBase); }
  IKeyStore& Store() { return m_oStore; }
  KeyHandle Base() const { return m_hBase; }
  CString16 BasePath() const { return m_strPath; }

 private:
  const CString16 m_strPath;
  TStore m_oStore;
  KeyHandle m_hBase = 0;
};
using CMemoryHarness = CKeyHarness<CMemoryKeyStore>;

template <typename Harness>
class KeyStoreBehaviour : public ::testing::Test {
 protected:
  void Put(const char16_t* name, uint32_t type, const std::vector<uint8_t>& data) {
    ASSERT_EQ(m_oH.Store().SetValue(m_oH.Base(), name, type, data.data(), uint32_t(data.size())),
              0);
  }
  // The value names that fit capacity units with their terminator, sorted
  // (Windows keeps the order of creation, Wine sorts); enumeration goes on
  // past a name that does not fit.
  std::vector<CString16> Names(uint32_t capacity) {
    std::vector<CString16> names;
    char16_t buffer[64];
    for (uint32_t i = 0;; ++i) {
      uint32_t chars = capacity;
      const long rc = m_oH.Store().EnumValueName(m_oH.Base(), i, buffer, &chars);
      if (rc == kErrorSuccess)
        names.emplace_back(buffer, chars);
      else if (rc != kErrorMoreData)
        break;
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  Harness m_oH;
};

TYPED_TEST_SUITE_P(KeyStoreBehaviour);

TYPED_TEST_P(KeyStoreBehaviour, CreateMakesMissingKeysOpenNeverDoes) {
  IKeyStore& store = this->m_oH.Store();
  KeyHandle key = 1;
  EXPECT_EQ(store.OpenKey(this->m_oH.Base(), u"a\\b", kKeyRead, &key), kErrorFileNotFound);
  EXPECT_EQ(key, 0u);
  ASSERT_EQ(store.CreateKey(this->m_oH.Base(), u"a\\b", kKeyAllAccess, &key), 0);
  store.CloseKey(key);
  for (const char16_t* path : {u"a", u"A\\b"}) {
    EXPECT_EQ(store.OpenKey(this->m_oH.Base(), path, kKeyRead, &key), 0);
    store.CloseKey(key);
  }
  EXPECT_EQ(store.CreateKey(this->m_oH.Base(), u"\\lead", kKeyRead, &key), kErrorBadPathname);
}

TYPED_TEST_P(KeyStoreBehaviour, QueryAndEnumerationAnswerByBufferAndStoredSize) {
  IKeyStore& store = this->m_oH.Store();
  this->Put(u"Dword", kRegDword, {0x78, 0x56, 0x34, 0x12});
  this->Put(u"Bin8", kRegBinary, {1, 2, 3, 4, 5, 6, 7, 8});
  this->Put(u"Bin2", kRegBinary, {1, 2});
  this->Put(u"Empty", kRegBinary, {});
  this->Put(u"Sz", kRegSz, {'a', 0, 'b', 0, 0, 0});
  this->Put(u"BIN2", kRegBinary, {1, 2});  // replaces Bin2, keeps its spelling
  EXPECT_EQ(this->Names(64), (std::vector<CString16>{u"Bin2", u"Bin8", u"Dword", u"Empty", u"Sz"}));
  EXPECT_EQ(this->Names(5), (std::vector<CString16>{u"Bin2", u"Bin8", u"Sz"}));
  // Per value: the answer, type, size and data; type 77 and data eeeeeeee
  // left alone, the buffer after kErrorMoreData not looked at (shown as 0).
  std::string answers;
  for (const char16_t* name : {u"dWORD", u"Bin2", u"Empty", u"Bin8", u"Sz", u"Missing"}) {
    uint32_t type = 77, data = 0xEEEEEEEE, size = 4;
    const long rc =
        store.QueryValue(this->m_oH.Base(), name, &type, reinterpret_cast<uint8_t*>(&data), &size);
    char text[48];
    std::snprintf(text, sizeof text, "%ld %u %u %x|", rc, type, size,
                  rc == kErrorMoreData ? 0 : data);
    answers += text;
  }
  EXPECT_EQ(answers,
            "0 4 4 12345678|0 3 2 eeee0201|0 3 0 eeeeeeee|234 3 8 0|234 1 6 0|2 77 4 eeeeeeee|");
  uint32_t size = 0;  // no buffer: the size alone
  EXPECT_EQ(store.QueryValue(this->m_oH.Base(), u"Bin8", nullptr, nullptr, &size), 0);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(store.DeleteValue(this->m_oH.Base(), u"bin8"), 0);
  EXPECT_EQ(store.DeleteValue(this->m_oH.Base(), u"Bin8"), kErrorFileNotFound);
}

TYPED_TEST_P(KeyStoreBehaviour, HandlesAreCheckedForValidityAndAccess) {
  IKeyStore& store = this->m_oH.Store();
  const CString16 path = this->m_oH.BasePath();
  KeyHandle reader = 0, writer = 0, closed = 0;
  ASSERT_EQ(store.OpenKey(kHKeyCurrentUser, path.c_str(), kKeyRead, &reader), 0);
  ASSERT_EQ(store.OpenKey(kHKeyCurrentUser, path.c_str(), kKeySetValue, &writer), 0);
  ASSERT_EQ(store.OpenKey(this->m_oH.Base(), nullptr, kKeyAllAccess, &closed), 0);
  ASSERT_EQ(store.CloseKey(closed), 0);
  // The answers to setting, querying, enumerating and deleting a value, then
  // (bKeyCalls) to opening and creating a subkey and closing the handle, and
  // the handle the failed opening left.
  auto answers = [&](KeyHandle h, bool bKeyCalls) {
    const uint8_t four[4] = {1, 0, 0, 0};
    char16_t name[16];
    uint32_t chars = 16, size = 0;
    KeyHandle key = 1;
    std::vector<long> rc{store.SetValue(h, u"V", kRegDword, four, 4),
                         store.QueryValue(h, u"V", nullptr, nullptr, &size),
                         store.EnumValueName(h, 0, name, &chars), store.DeleteValue(h, u"V")};
    if (bKeyCalls) {
      rc.insert(rc.end(), {store.OpenKey(h, u"x", kKeyRead, &key),
                           store.CreateKey(h, u"x", kKeyRead, &key), store.CloseKey(h)});
    }
    std::string s;
    for (long n : rc) s += std::to_string(n) + " ";
    return bKeyCalls ? s + std::to_string(key) : s;
  };
  EXPECT_EQ(answers(writer, false), "0 5 5 0 ");
  EXPECT_EQ(answers(reader, false), "5 2 259 5 ");
  store.CloseKey(reader);
  store.CloseKey(writer);
  // A null handle is what a failed open leaves behind; the settings rely on
  // every later call failing with it.
  EXPECT_EQ(answers(0, true), "6 6 6 6 6 6 6 0");
  EXPECT_EQ(answers(closed, true), "6 6 6 6 6 6 6 0");
}

TYPED_TEST_P(KeyStoreBehaviour, SystemMessagesAreWinesTexts) {
  CString16 texts;
  for (long code : {2, 5, 6, 161, 234, 259, 0x7FFF0001})
    texts += this->m_oH.Store().SystemMessage(code) + u"|";
  EXPECT_EQ(texts,
            u"File not found.\r\n|Access denied.\r\n|Invalid handle.\r\n|Path is invalid.\r\n|"
            u"More data available.\r\n|No more data available.\r\n||");
}

REGISTER_TYPED_TEST_SUITE_P(KeyStoreBehaviour, CreateMakesMissingKeysOpenNeverDoes,
                            QueryAndEnumerationAnswerByBufferAndStoredSize,
                            HandlesAreCheckedForValidityAndAccess, SystemMessagesAreWinesTexts);
