#include <gtest/gtest.h>

#include "unit/engine/settings/settings_test_fixture.h"

namespace {

constexpr char kDefaultAddress[] = "192.168.123.254:80";
// "secret", scrambled, with its terminating zero byte.
const std::string kSecretStored("\x62\x27\x17\x0a\x1f\x33\x15\x1e\x0c\x19\x00", 11);

// Every check box the options decide, in one order for all expectations.
std::vector<unsigned> Checks(FakeDialog& dialog) {
    std::vector<unsigned> states;
    for (int id : {IDC_ALERT, IDC_AUTO_LAUNCH, IDC_AUTOFILL, IDC_WINDOWS_FORMAT, IDC_SHORT_FORMAT, IDC_LONG_FORMAT,
                   IDC_LOG_GMT, IDC_ONLY_INTRUSION, IDC_LOG_TO_FILE, IDC_AUTO_START, IDC_KEEP_ANIMATION,
                   IDC_REMEMBER_DATE}) {
        states.push_back(dialog.GetCheckState(id));
    }
    return states;
}

RegistryValue Text(const std::string& text) { return {RegistryType::String, text + '\0'}; }
// Written out here, not through the code under test.
RegistryValue Dword(unsigned char value) { return {RegistryType::Dword, std::string(1, char(value)) + std::string(3, '\0')}; }

}  // namespace

TEST_F(SettingsTest, StoredValuesReachTheControlsAndState) {
    const std::pair<const char*, unsigned> dwords[] = {
        {"alert", 0},         {"autoLaunchExternal", 1}, {"autofill", 0},  {"dateformat", 1}, {"logGMT", 0},
        {"onlyIntrusion", 1}, {"logToFile", 0},          {"autoStart", 0}, {"keepAnimation", 2}, {"rememberDate", 1}};
    for (const auto& [name, value] : dwords) Put(name, Dword(value));
    Put("routerAddress", Text("127.0.0.1:8080"));
    Put("refreshRate", Text("45"));
    Put("externalApi", Text("C:\\mail.exe"));
    Put("password", {RegistryType::Binary, kSecretStored});
    Put("lastDate", {RegistryType::Binary, "\xfe\xff\xff\x7f"});
    run.Load();
    EXPECT_EQ(Checks(dialog), (std::vector<unsigned>{0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 2, 1}));
    EXPECT_EQ(run.app.currentRouterAddress.Get(), "127.0.0.1:8080");
    EXPECT_EQ(dialog.GetText(IDC_REFRESH_RATE), "45");
    EXPECT_EQ(state.externalProgramPath.Get(), "C:\\mail.exe");
    // The mask goes in first, so its notification cannot spoil the password.
    EXPECT_EQ(dialog.TextHistory(IDC_PASSWORD), std::vector<std::string>{kMask});
    EXPECT_EQ(state.routerPassword.Get(), "secret");
    EXPECT_EQ(state.lastDate, 0x7ffffffe);
}

TEST_F(SettingsTest, EmptyTextsWrongSizesAndMissingValues) {
    Put("routerAddress", Text(""));
    Put("refreshRate", Text(""));
    Put("alert", {RegistryType::Dword, std::string(8, '\0')});         // too large: default, checked
    Put("onlyIntrusion", {RegistryType::Dword, std::string(5, '\1')});  // too large: default, unchecked
    Put("rememberDate", {RegistryType::Binary, "\1"});                 // short, and no type check
    Put("lastDate", {RegistryType::Binary, "12345"});
    state.lastDate = 77;
    run.Load();  // no date format stored: the Windows one
    EXPECT_EQ(dialog.GetText(IDC_ROUTER_ADDRESS), "");
    EXPECT_EQ(dialog.GetText(IDC_REFRESH_RATE), "30");
    EXPECT_EQ(Checks(dialog), (std::vector<unsigned>{1, 0, 1, 1, 0, 0, 1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(state.lastDate, 0);
}

TEST_F(SettingsTest, SaveWritesEveryOptionInOrder) {
    run.Load();  // first run
    dialog.SetCheckState(IDC_AUTOFILL, 1);
    dialog.SetText(IDC_REFRESH_RATE, "45");
    state.externalProgramPath.Set("C:\\mail.exe");
    state.lastDate = -2;
    state.popupOnIntrusion = false;
    state.intrudersLayout = IntrudersWindowLayout{-8, 300, {100, 2, 3, 4, 5, 65536}};
    run.Save();
    EXPECT_EQ(registry.Journal(),
              (std::vector<std::string>{"set autofill", "set dateformat", "set alert", "set keepAnimation",
                                        "set rememberDate", "set onlyIntrusion", "set logGMT", "set logToFile",
                                        "set autoStart", "set autoLaunchExternal", "set refreshRate",
                                        "set routerAddress", "set externalApi", "set lastDate",
                                        "set popupOnIntrusion", "set intrudersWindow"}));
    // Byte for byte, not through the code under test. No button selected logs in the long format, stored as 2.
    EXPECT_EQ(Stored("autofill"), (RegistryValue{RegistryType::Dword, std::string("\1\0\0\0", 4)}));
    EXPECT_EQ(Stored("dateformat"), (RegistryValue{RegistryType::Dword, std::string("\2\0\0\0", 4)}));
    EXPECT_EQ(Stored("refreshRate"), Text("45"));
    EXPECT_EQ(Stored("routerAddress"), Text(kDefaultAddress));
    EXPECT_EQ(Stored("externalApi"), Text("C:\\mail.exe"));
    // Written even though "Remember last date/time" is off.
    EXPECT_EQ(Stored("lastDate"), (RegistryValue{RegistryType::Binary, "\xfe\xff\xff\xff"}));
    EXPECT_EQ(Stored("popupOnIntrusion"), (RegistryValue{RegistryType::Dword, std::string(4, '\0')}));
    const std::string layout("\xf8\xff\xff\xff\x2c\x01\0\0" "d\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0\5\0\0\0\0\0\1\0", 32);
    EXPECT_EQ(Stored("intrudersWindow"), (RegistryValue{RegistryType::Binary, layout}));
    // A value of another size is no layout.
    Put("intrudersWindow", {RegistryType::Binary, layout.substr(1)});
    MainWindowRun next(registry);
    next.Load();
    EXPECT_FALSE(next.state.popupOnIntrusion);
    EXPECT_FALSE(next.state.intrudersLayout);
}

TEST_F(SettingsTest, PasswordIsWrittenOnlyWhenTheBoxNoLongerShowsTheMask) {
    run.Load();
    run.Save();
    EXPECT_EQ(Stored("password"), std::nullopt);
    dialog.SetText(IDC_PASSWORD, "secret");  // as the user types it
    run.Save();
    EXPECT_EQ(Stored("password"), (RegistryValue{RegistryType::Binary, kSecretStored}));
    dialog.SetText(IDC_PASSWORD, kMask);  // a password of nine asterisks looks untouched
    run.Save();
    EXPECT_EQ(Stored("password"), (RegistryValue{RegistryType::Binary, kSecretStored}));
}

TEST_F(SettingsTest, StandardUserSavesUnderTheCurrentUser) {
    Put("refreshRate", Text("45"));
    Put("password", {RegistryType::Binary, kSecretStored});
    registry.RefuseWrites(RegistryRoot::LocalMachine);
    run.Load();
    dialog.SetText(IDC_REFRESH_RATE, "60");
    run.Save();
    EXPECT_EQ(Stored("refreshRate"), Text("45"));
    EXPECT_EQ(Stored("refreshRate", RegistryRoot::CurrentUser), Text("60"));
    // The untouched password moves along, byte for byte.
    EXPECT_EQ(Stored("password", RegistryRoot::CurrentUser), (RegistryValue{RegistryType::Binary, kSecretStored}));

    MainWindowRun next(registry);
    next.Load();
    EXPECT_EQ(next.dialog.GetText(IDC_REFRESH_RATE), "60");
    EXPECT_EQ(next.state.routerPassword.Get(), "secret");
}

TEST_F(SettingsTest, LastDateAloneGoesIntoTheKeyTheLoadReads) {
    const RegistryValue unchanged{RegistryType::Binary, std::string(4, '\0')};
    Put("lastDate", unchanged);
    state.lastDate = 0x01020304;
    SaveLastDate(state, registry, kScratchKey);
    EXPECT_EQ(registry.Journal(), std::vector<std::string>{"set lastDate"});

    Put("lastDate", unchanged, RegistryRoot::CurrentUser);
    state.lastDate = -2;
    SaveLastDate(state, registry, kScratchKey);
    EXPECT_EQ(Stored("lastDate", RegistryRoot::CurrentUser), (RegistryValue{RegistryType::Binary, "\xfe\xff\xff\xff"}));
    EXPECT_EQ(Stored("lastDate"), (RegistryValue{RegistryType::Binary, "\x04\x03\x02\x01"}));
    // The process dies here, without its save at exit: the next run still knows.
    MainWindowRun next(registry);
    next.Load();
    EXPECT_EQ(next.state.lastDate.load(), -2);
}
