#include "in_memory_data_protection.h"

#include "unit/ports/data_protection_contract.h"

namespace {

// Two instances: two accounts.
struct InMemoryEnvironment {
    DataProtectionPort& Port() { return port; }
    DataProtectionPort& Stranger() { return stranger; }

    InMemoryDataProtection port;
    InMemoryDataProtection stranger;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, DataProtectionContract, InMemoryEnvironment);
