#include <gtest/gtest.h>

#include "unit/engine/settings/settings_test_fixture.h"

namespace {

constexpr char kDefaultAddress[] = "192.168.123.254:80";
// "secret", scrambled, with its terminating zero byte.
const std::string kSecretStored("\x62\x27\x17\x0a\x1f\x33\x15\x1e\x0c\x19\x00", 11);

// Every check box option, in one order for all expectations.
std::vector<unsigned> Checks(const Options& options) {
    return {options.alert,         options.autoLaunchExternal, options.autofill,  options.logGMT,
            options.onlyIntrusion, options.logToFile,          options.autoStart, options.keepAnimation,
            options.rememberDate};
}

RegistryValue Text(const std::string& text) { return {RegistryType::String, text + '\0'}; }
// Written out here, not through the code under test.
RegistryValue Dword(unsigned char value) { return {RegistryType::Dword, std::string(1, char(value)) + std::string(3, '\0')}; }

}  // namespace

TEST_F(SettingsTest, StoredValuesReachTheOptions) {
    const std::pair<const char*, unsigned> dwords[] = {
        {"alert", 0},         {"autoLaunchExternal", 1}, {"autofill", 0},  {"dateformat", 1}, {"logGMT", 0},
        {"onlyIntrusion", 1}, {"logToFile", 0},          {"autoStart", 0}, {"keepAnimation", 2}, {"rememberDate", 1}};
    for (const auto& [name, value] : dwords) Put(name, Dword(value));
    Put("routerAddress", Text("127.0.0.1:8080"));
    Put("refreshRate", Text("45"));
    Put("externalApi", Text("C:\\mail.exe"));
    Put("password", {RegistryType::Binary, kSecretStored});
    Put("lastDate", {RegistryType::Binary, "\xfe\xff\xef\x7f"});
    const StoredSettings loaded = Load();
    const Options& options = loaded.options;
    EXPECT_EQ(Checks(options), (std::vector<unsigned>{0, 1, 0, 0, 1, 0, 0, 2, 1}));
    EXPECT_EQ(options.dateFormat, DateFormat::Short);
    EXPECT_EQ(options.routerAddress, "127.0.0.1:8080");
    EXPECT_EQ(options.refreshRate, "45");
    EXPECT_EQ(options.externalProgramPath, "C:\\mail.exe");
    EXPECT_EQ(options.routerPassword, "secret");
    EXPECT_TRUE(options.passwordMasked);
    EXPECT_EQ(loaded.lastDate, 0x7fefffff - 1);
    // A time ahead of the clock would hide every entry until then: it counts as now.
    Put("lastDate", {RegistryType::Binary, "\xfe\xff\xff\x7f"});
    EXPECT_EQ(Load().lastDate, kNow);
}

TEST_F(SettingsTest, FirstRunEmptyTextsWrongSizesAndMissingValues) {
    const StoredSettings firstRun = Load();
    EXPECT_EQ(firstRun.options.routerAddress, kDefaultAddress);
    EXPECT_EQ(firstRun.options.routerPassword, "vesto");
    EXPECT_EQ(Checks(firstRun.options), (std::vector<unsigned>{1, 0, 0, 0, 0, 1, 1, 1, 0}));
    EXPECT_EQ(firstRun.options.dateFormat, std::nullopt);  // no button chosen: the log uses the long form
    EXPECT_TRUE(firstRun.firstRun);

    Put("routerAddress", Text(""));
    Put("refreshRate", Text(""));
    Put("alert", {RegistryType::Dword, std::string(8, '\0')});         // too large: default, checked
    Put("onlyIntrusion", {RegistryType::Dword, std::string(5, '\1')});  // too large: default, unchecked
    Put("rememberDate", {RegistryType::Binary, "\1"});                 // short, and no type check
    Put("lastDate", {RegistryType::Binary, "12345"});
    const StoredSettings loaded = Load();  // no date format stored: the Windows one
    EXPECT_EQ(loaded.options.routerAddress, "");
    EXPECT_EQ(loaded.options.refreshRate, "30");
    EXPECT_EQ(Checks(loaded.options), (std::vector<unsigned>{1, 0, 1, 1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(loaded.options.dateFormat, DateFormat::Windows);
    EXPECT_EQ(loaded.lastDate, 0);
    EXPECT_FALSE(loaded.firstRun);
    EXPECT_TRUE(loaded.options.popupOnTrouble);  // missing: on
}

TEST_F(SettingsTest, SaveWritesEveryOptionByteForByteIntoTheUsersKey) {
    StoredSettings settings = Load();  // first run
    settings.options.autofill = 1;
    settings.options.refreshRate = "45";
    settings.options.externalProgramPath = "C:\\mail.exe";
    settings.lastDate = -2;
    settings.options.popupOnIntrusion = false;
    settings.options.popupOnTrouble = false;
    settings.options.intrudersLayout = IntrudersWindowLayout{-8, 300, {100, 2, 3, 4, 5, 65536, 7, 8, 9, -1}};
    settings.options.ignoredAddresses = IgnoreList({"203.0.113.0/24", "192.0.2.5"});
    settings.options.quietRepeatMinutes = 30;
    Save(settings);
    constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, kScratchKey));
    // Byte for byte, not through the code under test. No button chosen logs in the long format, stored as 2.
    EXPECT_EQ(Stored("autofill", kUser), (RegistryValue{RegistryType::Dword, std::string("\1\0\0\0", 4)}));
    EXPECT_EQ(Stored("dateformat", kUser), (RegistryValue{RegistryType::Dword, std::string("\2\0\0\0", 4)}));
    EXPECT_EQ(Stored("refreshRate", kUser), Text("45"));
    EXPECT_EQ(Stored("routerAddress", kUser), Text(kDefaultAddress));
    EXPECT_EQ(Stored("externalApi", kUser), Text("C:\\mail.exe"));
    // Written even though "Remember last date/time" is off.
    EXPECT_EQ(Stored("lastDate", kUser), (RegistryValue{RegistryType::Binary, "\xfe\xff\xff\xff"}));
    EXPECT_EQ(Stored("popupOnIntrusion", kUser), (RegistryValue{RegistryType::Dword, std::string(4, '\0')}));
    EXPECT_EQ(Stored("popupOnTrouble", kUser), (RegistryValue{RegistryType::Dword, std::string(4, '\0')}));
    const std::string layout("\xf8\xff\xff\xff\x2c\x01\0\0" "d\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0\5\0\0\0\0\0\1\0", 32);
    EXPECT_EQ(Stored("intrudersWindow", kUser), (RegistryValue{RegistryType::Binary, layout}));
    EXPECT_EQ(Stored("intrudersMoreColumns", kUser),
              (RegistryValue{RegistryType::Binary, std::string("\7\0\0\0\x08\0\0\0\x09\0\0\0\xff\xff\xff\xff", 16)}));
    EXPECT_EQ(Stored("ignoredAddresses", kUser),
              (RegistryValue{RegistryType::MultiString, std::string("203.0.113.0/24\0" "192.0.2.5\0\0", 26)}));
    EXPECT_EQ(Stored("quietRepeatMinutes", kUser), (RegistryValue{RegistryType::Dword, std::string("\x1e\0\0\0", 4)}));
    // The untouched password is not written.
    EXPECT_EQ(Stored("protectedPassword", kUser), std::nullopt);
    EXPECT_EQ(Load().options.intrudersLayout->columnWidths[8], 9);
    // A value of another size is no layout; the later columns' widths count as far as stored.
    Put("intrudersMoreColumns", {RegistryType::Binary, std::string("\7\0\0\0", 4)}, kUser);
    EXPECT_EQ(Load().options.intrudersLayout->columnWidths,
              (std::array<int, kIntruderColumnCount>{100, 2, 3, 4, 5, 65536, 7, -1, -1, -1}));
    Put("intrudersWindow", {RegistryType::Binary, layout.substr(1)}, kUser);
    // A malformed entry is skipped; minutes past the largest are the largest.
    Put("ignoredAddresses", {RegistryType::MultiString, std::string("10.0.0.0/33\0" "10.0.0.1\0\0", 22)}, kUser);
    Put("quietRepeatMinutes", {RegistryType::Dword, std::string("\xa1\x05\0\0", 4)}, kUser);  // 1441
    const StoredSettings next = Load();
    EXPECT_FALSE(next.options.popupOnIntrusion);
    EXPECT_FALSE(next.options.popupOnTrouble);
    EXPECT_FALSE(next.options.intrudersLayout);
    EXPECT_EQ(next.options.ignoredAddresses.Entries(), std::vector<std::string>{"10.0.0.1"});
    EXPECT_EQ(next.options.quietRepeatMinutes, 1440u);
}

// The password is the user's alone: protected, under the user's key only. The
// scrambled value of earlier versions, in either key, is read once and goes
// wherever the program may remove it.
TEST_F(SettingsTest, PasswordMovesFromTheScrambledValueIntoTheUsersProtectedOne) {
    for (const RegistryRoot oldRoot : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        InMemoryRegistry earlier;
        earlier.PutValue(oldRoot, kScratchKey, "refreshRate", Text("45"));
        earlier.PutValue(oldRoot, kScratchKey, "password", {RegistryType::Binary, kSecretStored});
        const StoredSettings settings = LoadSettings(earlier, kScratchKey, protection, kNow);
        EXPECT_EQ(settings.options.routerPassword, "secret");
        SaveSettings(settings, earlier, kScratchKey, protection);
        for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
            EXPECT_EQ(earlier.GetValue(root, kScratchKey, "password"), std::nullopt);
        }
        EXPECT_EQ(earlier.GetValue(RegistryRoot::LocalMachine, kScratchKey, "protectedPassword"), std::nullopt);
        const auto protectedValue = earlier.GetValue(RegistryRoot::CurrentUser, kScratchKey, "protectedPassword");
        ASSERT_TRUE(protectedValue);
        EXPECT_EQ(protectedValue->data.find("secret"), std::string::npos);
        const StoredSettings next = LoadSettings(earlier, kScratchKey, protection, kNow);
        EXPECT_EQ(next.options.routerPassword, "secret");
        EXPECT_EQ(next.options.refreshRate, "45");
        EXPECT_FALSE(next.passwordToProtect);
    }
    // A standard user cannot remove it from the machine's key: it stays there, and nowhere else.
    registry.PutValue(RegistryRoot::LocalMachine, kScratchKey, "password", {RegistryType::Binary, kSecretStored});
    registry.RefuseWrites(RegistryRoot::LocalMachine);
    StoredSettings settings = Load();
    settings.options.routerPassword = "n3w";
    settings.options.passwordMasked = false;
    Save(settings);
    EXPECT_EQ(Stored("password", RegistryRoot::LocalMachine), (RegistryValue{RegistryType::Binary, kSecretStored}));
    EXPECT_EQ(Load().options.routerPassword, "n3w");
    // Another account or computer cannot read it back: no stored password, the factory one.
    InMemoryDataProtection otherAccount;
    EXPECT_EQ(LoadSettings(registry, kScratchKey, otherAccount, kNow).options.routerPassword, "vesto");
}

TEST_F(SettingsTest, LastDateAloneGoesIntoTheKeyTheLoadReads) {
    const RegistryValue unchanged{RegistryType::Binary, std::string(4, '\0')};
    Put("lastDate", unchanged);
    SaveLastDate(0x01020304, registry, kScratchKey);
    EXPECT_EQ(registry.Journal(), std::vector<std::string>{"set lastDate"});

    Put("lastDate", unchanged, RegistryRoot::CurrentUser);
    SaveLastDate(-2, registry, kScratchKey);
    EXPECT_EQ(Stored("lastDate", RegistryRoot::CurrentUser), (RegistryValue{RegistryType::Binary, "\xfe\xff\xff\xff"}));
    EXPECT_EQ(Stored("lastDate"), (RegistryValue{RegistryType::Binary, "\x04\x03\x02\x01"}));
    // The process dies here, without its save at exit: the next run still knows.
    EXPECT_EQ(Load().lastDate, -2);
}
