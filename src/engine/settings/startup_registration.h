#pragma once
#include <string>

#include "registry_port.h"

// Start with Windows: the value "Quillmere" in the system's Run key, mirrored
// by check box IDC_LAUNCH_AT_STARTUP. The machine's Run key is used where it
// can be written, the current user's otherwise.

// Shown when the Run value names another program.
inline constexpr char kAnotherProgramWarning[] =
    "WARNING: Another program is registered to run at Windows startup.\n"
    "The 'Launch at Windows startup' option has been turned off.\n"
    "Please re-enable it manually";

// What the Run keys say of this program at start.
enum class StartupRegistration {
    NoRunKey,        // no Run key could be read: the box stays as it is
    Registered,      // this executable, same bytes, same letter case
    NotRegistered,
    AnotherProgram,  // the box goes off, with kAnotherProgramWarning
};
StartupRegistration ReadStartupRegistration(RegistryPort& registry, const std::string& executablePath);

// Registers this executable when launchAtStartup, removes the registration
// otherwise. Failures are silent.
void SaveStartupRegistration(bool launchAtStartup, RegistryPort& registry, const std::string& executablePath);
