#include <gtest/gtest.h>

#include "registry_contract.h"
#include "in_memory_registry.h"

// The stand-in must keep the rules of the Windows registry. Its refusal of
// writes for a standard user is held to them by the settings' per-user
// fallback test, which fails when the refusal is too lax or too strict.

namespace {

struct InMemoryEnvironment {
    RegistryPort& Port() { return registry; }
    RegistryRoot Root() const { return RegistryRoot::CurrentUser; }
    std::string Path() const { return "Software\\VorlaneTests\\Contract"; }
    std::string UpperCasePath() const { return "SOFTWARE\\VORLANETESTS\\CONTRACT"; }

    InMemoryRegistry registry;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, RegistryContract, InMemoryEnvironment);
