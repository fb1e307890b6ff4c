#include "in_memory_data_protection.h"

#include "unit/ports/data_protection_contract.h"

namespace {

struct InMemoryEnvironment {
    InMemoryDataProtection port, stranger;  // two instances: two accounts
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, DataProtectionContract, InMemoryEnvironment);
