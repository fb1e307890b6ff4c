#include "settings/startup_registration.h"

#include <cstddef>
#include <initializer_list>

#include "registry_values.h"
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
    // A user who could not write the machine's key registered in their own.
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
    if (!launchAtStartup) {
        RemoveRegistration(registry, RegistryRoot::LocalMachine);
        RemoveRegistration(registry, RegistryRoot::CurrentUser);
        return;
    }
    if (auto machineRunKey = registry.OpenKey(RegistryRoot::LocalMachine, kRunKeyPath, RegistryAccess::Write)) {
        machineRunKey->SetUnicodeText(kRunValueName, executablePath);
        // One registration only, or the program would start twice.
        RemoveRegistration(registry, RegistryRoot::CurrentUser);
    } else if (auto userRunKey = registry.CreateKey(RegistryRoot::CurrentUser, kRunKeyPath, RegistryAccess::Write)) {
        userRunKey->SetUnicodeText(kRunValueName, executablePath);
    }
}
