#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "in_memory_registry.h"
#include "settings/startup_registration.h"

namespace {

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kThisCopy[] = "C:\\Program Files\\Vorlane\\Vorlane.exe";
constexpr char kOldCopy[] = "D:\\Old\\Vorlane.exe";
// The same file to Windows, another program to the check.
constexpr char kOtherCase[] = "c:\\program files\\vorlane\\vorlane.exe";

using RunPath = std::optional<std::string>;  // the Run value's path, if any

struct RunKeys {
    RunPath user;
    RunPath machine;
};

// Run keys as given; the machine's exists, as on every Windows.
void Prepare(InMemoryRegistry& registry, const RunKeys& keys) {
    registry.CreateKey(RegistryRoot::LocalMachine, kRunKey, RegistryAccess::AllAccess);
    const std::pair<RegistryRoot, RunPath> values[] = {{RegistryRoot::CurrentUser, keys.user},
                                                       {RegistryRoot::LocalMachine, keys.machine}};
    for (const auto& [root, path] : values) {
        if (path) registry.PutValue(root, kRunKey, "Quillmere", {RegistryType::String, *path + '\0'});
    }
}

RunPath Registered(const InMemoryRegistry& registry, RegistryRoot root) {
    auto value = registry.GetValue(root, kRunKey, "Quillmere");
    if (!value) return std::nullopt;
    EXPECT_EQ(value->type, RegistryType::String);
    return value->data.substr(0, value->data.find('\0'));
}

}  // namespace

TEST(StartupRegistrationTest, ReadNamesThisVeryCopyOnly) {
    struct Case {
        RunKeys keys;
        StartupRegistration expected;
    } cases[] = {
        {{std::nullopt, std::nullopt}, StartupRegistration::NotRegistered},
        {{kThisCopy, std::nullopt}, StartupRegistration::Registered},
        {{std::nullopt, kThisCopy}, StartupRegistration::Registered},  // an earlier version's choice
        {{std::nullopt, kOldCopy}, StartupRegistration::AnotherProgram},
        {{kOtherCase, std::nullopt}, StartupRegistration::AnotherProgram},
        {{kThisCopy, kOldCopy}, StartupRegistration::Registered},  // the user's key is read first
    };
    for (const Case& c : cases) {
        InMemoryRegistry registry;
        Prepare(registry, c.keys);
        EXPECT_EQ(ReadStartupRegistration(registry, kThisCopy), c.expected)
            << c.keys.user.value_or("-") << " / " << c.keys.machine.value_or("-");
    }
    InMemoryRegistry empty;
    EXPECT_EQ(ReadStartupRegistration(empty, kThisCopy), StartupRegistration::NoRunKey);
}

TEST(StartupRegistrationTest, SaveRegistersForThisUserOnly) {
    struct Case {
        const char* name;
        RunKeys before;
        bool machineWritable;
        bool launchAtStartup;
        RunKeys after;
    } cases[] = {
        {"new choice", {std::nullopt, std::nullopt}, true, true, {kThisCopy, std::nullopt}},
        {"machine value moves", {std::nullopt, kThisCopy}, true, true, {kThisCopy, std::nullopt}},
        {"standard user: machine value stays", {std::nullopt, kThisCopy}, false, true, {kThisCopy, kThisCopy}},
        {"another program replaced", {kOldCopy, kOldCopy}, true, true, {kThisCopy, std::nullopt}},
        {"unchecked: gone from both", {kThisCopy, kOldCopy}, true, false, {std::nullopt, std::nullopt}},
        {"unchecked, standard user", {kThisCopy, kThisCopy}, false, false, {std::nullopt, kThisCopy}},
    };
    for (const Case& c : cases) {
        InMemoryRegistry registry;
        Prepare(registry, c.before);
        if (!c.machineWritable) registry.RefuseWrites(RegistryRoot::LocalMachine);
        SaveStartupRegistration(c.launchAtStartup, registry, kThisCopy);
        EXPECT_EQ(Registered(registry, RegistryRoot::CurrentUser), c.after.user) << c.name;
        EXPECT_EQ(Registered(registry, RegistryRoot::LocalMachine), c.after.machine) << c.name;
    }
}

TEST(StartupRegistrationTest, MachineValueStaysWhenTheUserKeyRefuses) {
    InMemoryRegistry registry;
    Prepare(registry, {std::nullopt, kThisCopy});
    registry.RefuseWrites(RegistryRoot::CurrentUser);
    SaveStartupRegistration(true, registry, kThisCopy);
    // Moving it would lose the start with Windows the box still shows.
    EXPECT_EQ(Registered(registry, RegistryRoot::LocalMachine), RunPath(kThisCopy));
}
