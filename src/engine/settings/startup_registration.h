#pragma once
#include <string>

#include "dialog_port.h"
#include "registry_port.h"

// Start with Windows: the value "Quillmere" in the system's Run key, mirrored
// by check box 1016. The machine's Run key is used where it can be written,
// the current user's otherwise.

// Checks 1016 when the registered program is this executable (same bytes,
// same letter case); warns and unchecks it when it is another one.
void LoadStartupRegistration(DialogPort& dialog, RegistryPort& registry, const std::string& executablePath);

// Registers this executable when 1016 is checked, removes the registration
// otherwise. Failures are silent.
void SaveStartupRegistration(DialogPort& dialog, RegistryPort& registry, const std::string& executablePath);
