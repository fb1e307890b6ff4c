#pragma once
#include <cstdint>
#include <string>

#include "data_protection_port.h"
#include "options/options.h"
#include "registry_port.h"
#include "resource_ids.h"

// The program's own key. Tests pass a scratch key instead.
inline constexpr char kOptionsKeyPath[] = OPTIONS_KEY_PATH;

// What the options key holds: the options, and the time of the last log
// entry handled (0 when nothing is remembered).
struct StoredSettings {
    Options options;
    std::int32_t lastDate = 0;
    // The password came in the form of earlier versions: the save protects it.
    bool passwordToProtect = false;
    // No options were stored: these are the first run's defaults.
    bool firstRun = false;
};

// Reads the options once at start. The key of the current user wins over the
// machine's, which earlier versions wrote; without either, the first run's
// defaults. A remembered time after now counts as now. The start with
// Windows is read apart (startup_registration.h), the password as
// password_store.h says.
StoredSettings LoadSettings(RegistryPort& registry, const std::string& keyPath, DataProtectionPort& protection,
                            std::int64_t now);

// Writes the options back, once at exit, into the current user's key.
// Failures are silent.
void SaveSettings(const StoredSettings& settings, RegistryPort& registry, const std::string& keyPath,
                  DataProtectionPort& protection);

// Writes lastDate alone, so that a crash does not log old entries again.
void SaveLastDate(std::int32_t lastDate, RegistryPort& registry, const std::string& keyPath);
