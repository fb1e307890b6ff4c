#include <gtest/gtest.h>

#include "settings/startup_registration.h"
#include "settings_test_fixture.h"

namespace {

constexpr char kThisCopy[] = "C:\\Program Files\\Vorlane\\Vorlane.exe";
constexpr char kWarning[] =
    "WARNING: Another program is registered to run at Windows startup.\n"
    "The 'Launch at Windows startup' option has been turned off.\n"
    "Please re-enable it manually";

RegistryValue RunValue(const std::string& path) { return {RegistryType::String, path + '\0'}; }

class StartupRegistrationTest : public SettingsTest {
protected:
    void Register(const std::string& path, RegistryRoot root = RegistryRoot::LocalMachine) {
        registry.PutValue(root, kRunKey, "Quillmere", RunValue(path));
    }
    std::optional<RegistryValue> Registered(RegistryRoot root = RegistryRoot::LocalMachine) {
        return registry.GetValue(root, kRunKey, "Quillmere");
    }
    void Load(bool checkedBefore) {
        dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, checkedBefore);
        LoadStartupRegistration(dialog, registry, kThisCopy);
    }
    void Save(bool checked) {
        dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, checked);
        SaveStartupRegistration(dialog, registry, kThisCopy);
    }
};

}  // namespace

TEST_F(StartupRegistrationTest, ThisCopyRegisteredChecksTheBox) {
    run.system.executablePath = kThisCopy;
    Register(kThisCopy);
    run.Load();
    EXPECT_TRUE(dialog.IsChecked(IDC_LAUNCH_AT_STARTUP));
    EXPECT_TRUE(dialog.Messages().empty());
}

TEST_F(StartupRegistrationTest, AnotherProgramOrOtherLetterCaseWarns) {
    for (std::string other : {"D:\\Old\\Vorlane.exe", "c:\\program files\\vorlane\\vorlane.exe"}) {
        dialog.ClearHistory();
        Register(other);
        Load(true);
        EXPECT_FALSE(dialog.IsChecked(IDC_LAUNCH_AT_STARTUP)) << other;
        ASSERT_EQ(dialog.Messages().size(), 1u) << other;
        EXPECT_EQ(dialog.Messages()[0].text, kWarning);
        EXPECT_EQ(dialog.Messages()[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(Registered(), RunValue(other));  // loading leaves it alone
    }
}

TEST_F(StartupRegistrationTest, MissingOrUnreadableValue) {
    Load(true);
    EXPECT_FALSE(dialog.IsChecked(IDC_LAUNCH_AT_STARTUP));
    Register(std::string(260, 'x'));  // 261 bytes for a 260-byte buffer
    Load(true);
    EXPECT_FALSE(dialog.IsChecked(IDC_LAUNCH_AT_STARTUP));
    EXPECT_TRUE(dialog.Messages().empty());
    // Without any Run key the box keeps its state.
    InMemoryRegistry bare;
    LoadStartupRegistration(dialog, bare, "x");
    EXPECT_FALSE(dialog.IsChecked(IDC_LAUNCH_AT_STARTUP));
    dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, true);
    LoadStartupRegistration(dialog, bare, "x");
    EXPECT_TRUE(dialog.IsChecked(IDC_LAUNCH_AT_STARTUP));
}

TEST_F(StartupRegistrationTest, SaveRegistersOrRemoves) {
    Register("D:\\Old\\Vorlane.exe");
    Save(false);
    EXPECT_EQ(Registered(), std::nullopt);
    Save(false);  // nothing left to delete is no error
    Save(true);
    EXPECT_EQ(Registered(), RunValue(kThisCopy));
    Register("D:\\Old\\Vorlane.exe");
    Save(true);
    EXPECT_EQ(Registered(), RunValue(kThisCopy));
}

TEST_F(StartupRegistrationTest, StandardUserRegistersInTheirOwnRunKey) {
    registry.RefuseWrites(RegistryRoot::LocalMachine);
    Save(true);
    EXPECT_EQ(Registered(), std::nullopt);
    EXPECT_EQ(Registered(RegistryRoot::CurrentUser), RunValue(kThisCopy));
    Load(false);
    EXPECT_TRUE(dialog.IsChecked(IDC_LAUNCH_AT_STARTUP));
    Save(false);
    EXPECT_EQ(Registered(RegistryRoot::CurrentUser), std::nullopt);
}

TEST_F(StartupRegistrationTest, MachineRegistrationReplacesTheUsersOwn) {
    Register(kThisCopy, RegistryRoot::CurrentUser);
    Save(true);
    EXPECT_EQ(Registered(), RunValue(kThisCopy));
    EXPECT_EQ(Registered(RegistryRoot::CurrentUser), std::nullopt);
}
