#include <gtest/gtest.h>

#include "settings/startup_registration.h"
#include "unit/engine/settings/settings_test_fixture.h"

namespace {

// FakeSystem's executable path: the copy that runs.
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
    bool LoadChecked(bool checkedBefore) {
        dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, checkedBefore);
        run.Load();
        return dialog.IsChecked(IDC_LAUNCH_AT_STARTUP);
    }
    void Save(bool checked) {
        dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, checked);
        run.Save();
    }
};

}  // namespace

TEST_F(StartupRegistrationTest, LoadChecksTheBoxOnlyForThisVeryCopy) {
    EXPECT_FALSE(LoadChecked(true));  // nothing registered
    Register(kThisCopy);
    EXPECT_TRUE(LoadChecked(false));
    EXPECT_TRUE(dialog.Messages().empty());
    for (const std::string other : {"D:\\Old\\Vorlane.exe", "c:\\program files\\vorlane\\vorlane.exe"}) {
        dialog.ClearHistory();
        Register(other);
        EXPECT_FALSE(LoadChecked(true)) << other;
        ASSERT_EQ(dialog.Messages().size(), 1u) << other;
        EXPECT_EQ(dialog.Messages()[0], kWarning);
        EXPECT_EQ(Registered(), RunValue(other));  // loading leaves it alone
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
