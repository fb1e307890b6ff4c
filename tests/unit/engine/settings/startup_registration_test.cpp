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

// The paths in the user's and the machine's Run values; empty for none.
struct RunValues {
    std::string user, machine;
};

void Prepare(InMemoryRegistry& registry, const RunValues& values) {
    registry.CreateKey(RegistryRoot::LocalMachine, kRunKey, RegistryAccess::AllAccess);  // as on every Windows
    auto put = [&registry](RegistryRoot root, const std::string& path) {
        if (!path.empty()) registry.PutValue(root, kRunKey, "Quillmere", {RegistryType::String, path + '\0'});
    };
    put(RegistryRoot::CurrentUser, values.user);
    put(RegistryRoot::LocalMachine, values.machine);
}

std::string Stored(const InMemoryRegistry& registry, RegistryRoot root) {
    const auto value = registry.GetValue(root, kRunKey, "Quillmere");
    return value ? value->data.substr(0, value->data.find('\0')) : "";
}

}  // namespace

TEST(StartupRegistrationTest, ReadNamesThisVeryCopyOnly) {
    const std::pair<RunValues, StartupRegistration> cases[] = {
        {{"", ""}, StartupRegistration::NotRegistered},
        {{kThisCopy, ""}, StartupRegistration::Registered},
        {{"", kThisCopy}, StartupRegistration::Registered},  // an earlier version's choice
        {{"", kOldCopy}, StartupRegistration::AnotherProgram},
        {{"c:\\program files\\vorlane\\vorlane.exe", ""}, StartupRegistration::AnotherProgram},
        {{kThisCopy, kOldCopy}, StartupRegistration::Registered},  // the user's key is read first
    };
    for (const auto& [values, expected] : cases) {
        InMemoryRegistry registry;
        Prepare(registry, values);
        EXPECT_EQ(ReadStartupRegistration(registry, kThisCopy), expected) << values.user << " / " << values.machine;
    }
    InMemoryRegistry empty;
    EXPECT_EQ(ReadStartupRegistration(empty, kThisCopy), StartupRegistration::NoRunKey);
}

TEST(StartupRegistrationTest, SaveRegistersForThisUserOnly) {
    struct Case {
        RunValues before;
        bool launchAtStartup;
        std::optional<RegistryRoot> readOnly;
        RunValues after;
    } cases[] = {
        {{"", kThisCopy}, true, std::nullopt, {kThisCopy, ""}},  // moved
        {{"", kThisCopy}, true, RegistryRoot::LocalMachine, {kThisCopy, kThisCopy}},  // a standard user
        {{"", kThisCopy}, true, RegistryRoot::CurrentUser, {"", kThisCopy}},  // kept, having nowhere to go
        {{kOldCopy, kOldCopy}, true, std::nullopt, {kThisCopy, ""}},
        {{kThisCopy, kOldCopy}, false, std::nullopt, {"", ""}},
    };
    for (const Case& c : cases) {
        InMemoryRegistry registry;
        Prepare(registry, c.before);
        if (c.readOnly) registry.RefuseWrites(*c.readOnly);
        SaveStartupRegistration(c.launchAtStartup, registry, kThisCopy);
        EXPECT_EQ(Stored(registry, RegistryRoot::CurrentUser), c.after.user) << "case " << &c - cases;
        EXPECT_EQ(Stored(registry, RegistryRoot::LocalMachine), c.after.machine) << "case " << &c - cases;
    }
}
