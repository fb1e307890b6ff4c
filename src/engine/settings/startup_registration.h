#pragma once
#include <string>

#include "registry_port.h"

// Start with Windows, for this user only: the value "Quillmere" in the
// current user's Run key names the executable (check box IDC_LAUNCH_AT_STARTUP). Earlier
// versions wrote it under the machine's Run key when they could, which
// started that user's copy at every account's logon.

// Shown by the caller when another program holds the value; the box is
// unchecked then.
inline constexpr char kAnotherProgramRegisteredWarning[] =
    "WARNING: Another program is registered to run at Windows startup.\n"
    "The 'Launch at Windows startup' option has been turned off.\n"
    "Please re-enable it manually";

// What the Run keys say of this program at start. NoRunKey: neither Run key
// could be read, so the box stays as it is. The user's key is read first; a
// value names this program only with the same bytes, letter case included.
enum class StartupRegistration { NoRunKey, Registered, NotRegistered, AnotherProgram };
StartupRegistration ReadStartupRegistration(RegistryPort& registry, const std::string& executablePath);

// Registers this executable for this user when launchAtStartup, removes our
// registration otherwise. Silent.
void SaveStartupRegistration(bool launchAtStartup, RegistryPort& registry, const std::string& executablePath);
