#include "settings/startup_registration.h"

#include <cstddef>
#include <initializer_list>

#include "resource_ids.h"
#include "registry_values.h"

namespace {

constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValueName[] = RUN_VALUE_NAME;
constexpr std::size_t kRunValueBufferSize = 260;
constexpr char kAnotherProgramWarning[] =
    "WARNING: Another program is registered to run at Windows startup.\n"
    "The 'Launch at Windows startup' option has been turned off.\n"
    "Please re-enable it manually";

void ApplyRegisteredPath(DialogPort& dialog, const std::string& registeredPath, const std::string& executablePath) {
    if (registeredPath == executablePath) {
        dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, true);
        return;
    }
    dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, false);
    dialog.ShowMessage(kAnotherProgramWarning, MessageButtons::Ok);
}

void RemoveRegistration(RegistryPort& registry, RegistryRoot root) {
    if (auto runKey = registry.OpenKey(root, kRunKeyPath, RegistryAccess::Write)) runKey->DeleteValue(kRunValueName);
}

}  // namespace

void LoadStartupRegistration(DialogPort& dialog, RegistryPort& registry, const std::string& executablePath) {
    // A user who could not write the machine's key registered in their own.
    bool anyRunKeyOpened = false;
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        auto runKey = registry.OpenKey(root, kRunKeyPath, RegistryAccess::Read);
        if (!runKey) continue;
        anyRunKeyOpened = true;
        if (auto registeredPath = runKey->QueryUnicodeText(kRunValueName, kRunValueBufferSize)) {
            ApplyRegisteredPath(dialog, *registeredPath, executablePath);
            return;
        }
    }
    if (anyRunKeyOpened) dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, false);
}

void SaveStartupRegistration(DialogPort& dialog, RegistryPort& registry, const std::string& executablePath) {
    if (!dialog.IsChecked(IDC_LAUNCH_AT_STARTUP)) {
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
