// The in-memory store is held to the registry's answers; the refusals it adds
// are exercised by the settings tests that rely on them.
// Catches: an in-memory store that answers otherwise than the registry, so that the settings tests
// over it would pass on faults.
#include "settings/tests/KeyStoreBehaviour.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, KeyStoreBehaviour, ::testing::Types<CMemoryHarness>);
