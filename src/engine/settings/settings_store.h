#pragma once
#include <cstdint>
#include <string>

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
};

// Reads the options once at start. The key of the current user wins over the
// machine's when it exists; without either, the first run's defaults. The
// start with Windows is read apart (startup_registration.h).
StoredSettings LoadSettings(RegistryPort& registry, const std::string& keyPath);

// Writes the options back, once at exit. The machine's key is used unless
// the current user's exists or the machine's cannot be written. Failures
// are silent.
void SaveSettings(const StoredSettings& settings, RegistryPort& registry, const std::string& keyPath);

// Writes lastDate alone, so that a crash does not log old entries again.
void SaveLastDate(std::int32_t lastDate, RegistryPort& registry, const std::string& keyPath);
