// The registry store against Wine's registry, and the in-memory store held to
// the same answers.
#include <gtest/gtest.h>

#include "settings/tests/KeyStoreBehaviour.h"
#include "settings/win/RegistryKeyStore.h"
#include "settings/win/tests/WinTestSupport.h"

namespace {

class CRegistryHarness {
 public:
  CRegistryHarness() { m_oStore.CreateKey(kHKeyCurrentUser, BasePath().c_str(), kKeyAllAccess, &m_hBase); }
  ~CRegistryHarness() { m_oStore.CloseKey(m_hBase); }
  IKeyStore& Store() { return m_oStore; }
  KeyHandle Base() const { return m_hBase; }
  CString16 BasePath() const { return m_oKey.Path(); }

 private:
  CThrowawayKey m_oKey{"store"};
  CRegistryKeyStore m_oStore;
  KeyHandle m_hBase = 0;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, KeyStoreBehaviour, ::testing::Types<CRegistryHarness>);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, KeyStoreBehaviour, ::testing::Types<CMemoryHarness>);
