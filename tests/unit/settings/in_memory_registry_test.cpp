#include <gtest/gtest.h>

#include "registry_contract.h"
#include "settings/in_memory_registry.h"

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

TEST(InMemoryRegistry, RefusedRootIsReadOnly) {
    InMemoryRegistry registry;
    registry.PutValue(RegistryRoot::LocalMachine, "SOFTWARE\\A", "v", {RegistryType::Dword, "\1"});
    registry.RefuseWrites(RegistryRoot::LocalMachine);
    EXPECT_EQ(registry.OpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\A", RegistryAccess::Write), nullptr);
    EXPECT_EQ(registry.CreateKey(RegistryRoot::LocalMachine, "SOFTWARE\\A", RegistryAccess::AllAccess), nullptr);
    EXPECT_EQ(registry.CreateKey(RegistryRoot::LocalMachine, "SOFTWARE\\B", RegistryAccess::AllAccess), nullptr);
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, "SOFTWARE\\B"));
    auto reader = registry.OpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\A", RegistryAccess::Read);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReadDword(*reader, "v"), 1u);
    // The other root, and its parents, are created as usual.
    EXPECT_NE(registry.CreateKey(RegistryRoot::CurrentUser, "SOFTWARE\\A\\B", RegistryAccess::AllAccess), nullptr);
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "software\\a"));
}
