#include "settings/startup_registration.h"

#include <cstddef>
#include <initializer_list>

#include "resource_ids.h"

namespace {

constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValueName[] = RUN_VALUE_NAME;
constexpr std::size_t kRunValueBufferSize = 260;

void RemoveRegistration(RegistryPort& registry, RegistryRoot root) {
    if (auto runKey = registry.OpenKey(root, kRunKeyPath, RegistryAccess::Write)) runKey->DeleteValue(kRunValueName);
}

}  // namespace

StartupRegistration ReadStartupRegistration(RegistryPort& registry, const std::string& executablePath) {
    bool anyRunKeyOpened = false;
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        auto runKey = registry.OpenKey(root, kRunKeyPath, RegistryAccess::Read);
        if (!runKey) continue;
        anyRunKeyOpened = true;
        if (auto registeredPath = runKey->QueryUnicodeText(kRunValueName, kRunValueBufferSize)) {
            return *registeredPath == executablePath ? StartupRegistration::Registered
                                                     : StartupRegistration::AnotherProgram;
        }
    }
    return anyRunKeyOpened ? StartupRegistration::NotRegistered : StartupRegistration::NoRunKey;
}

void SaveStartupRegistration(bool launchAtStartup, RegistryPort& registry, const std::string& executablePath) {
    bool userHasIt = false;
    if (!launchAtStartup) {
        RemoveRegistration(registry, RegistryRoot::CurrentUser);
    } else if (auto userRunKey = registry.CreateKey(RegistryRoot::CurrentUser, kRunKeyPath, RegistryAccess::Write)) {
        userHasIt = userRunKey->SetUnicodeText(kRunValueName, executablePath);
    }
    // A registration of an earlier version under the machine's key goes, or the
    // program would start twice; kept where the user key could not take it,
    // and where a standard user may not write.
    if (!launchAtStartup || userHasIt) RemoveRegistration(registry, RegistryRoot::LocalMachine);
}
