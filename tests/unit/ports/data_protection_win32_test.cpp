#include "data_protection_win32.h"

#include "unit/ports/data_protection_contract.h"

namespace {

// The real API for this account. Another account cannot be had here; bytes
// protected with another entropy are refused alike.
struct Win32Environment {
    Win32DataProtection port;
    Win32DataProtection stranger{"another program's secret"};
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, DataProtectionContract, Win32Environment);
