#include "settings/startup_registration.h"

#include <gtest/gtest.h>

#include "unit/engine/settings/settings_test_fixture.h"

namespace {

constexpr char kThisCopy[] = "C:\\Program Files\\Vorlane\\Vorlane.exe";

RegistryValue RunValue(const std::string& path) { return {RegistryType::String, path + '\0'}; }

class StartupRegistrationTest : public SettingsTest {
protected:
    void Register(const std::string& path, RegistryRoot root = RegistryRoot::LocalMachine) {
        registry.PutValue(root, kRunKey, "Quillmere", RunValue(path));
    }
    std::optional<RegistryValue> Registered(RegistryRoot root = RegistryRoot::LocalMachine) {
        return registry.GetValue(root, kRunKey, "Quillmere");
    }
    StartupRegistration Read() { return ReadStartupRegistration(registry, kThisCopy); }
    void Save(bool launch) { SaveStartupRegistration(launch, registry, kThisCopy); }
};

}  // namespace

TEST_F(StartupRegistrationTest, OnlyThisVeryCopyCountsAsRegistered) {
    EXPECT_EQ(Read(), StartupRegistration::NotRegistered);
    Register(kThisCopy);
    EXPECT_EQ(Read(), StartupRegistration::Registered);
    for (const std::string other : {"D:\\Old\\Vorlane.exe", "c:\\program files\\vorlane\\vorlane.exe"}) {
        Register(other);
        EXPECT_EQ(Read(), StartupRegistration::AnotherProgram) << other;
        EXPECT_EQ(Registered(), RunValue(other));  // reading leaves it alone
    }
}

TEST_F(StartupRegistrationTest, SaveLeavesExactlyOneRegistration) {
    Register("D:\\Old\\Vorlane.exe");
    Save(false);
    EXPECT_EQ(Registered(), std::nullopt);
    Register(kThisCopy, RegistryRoot::CurrentUser);
    Save(true);
    EXPECT_EQ(Registered(), RunValue(kThisCopy));
    EXPECT_EQ(Registered(RegistryRoot::CurrentUser), std::nullopt);  // or it would start twice
    Register("D:\\Old\\Vorlane.exe");
    Save(true);
    EXPECT_EQ(Registered(), RunValue(kThisCopy));
}
