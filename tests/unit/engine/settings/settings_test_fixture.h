#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "in_memory_data_protection.h"
#include "in_memory_registry.h"
#include "settings/settings_store.h"

inline constexpr char kScratchKey[] = "SOFTWARE\\VorlaneTests\\Settings";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class SettingsTest : public testing::Test {
protected:
    // Windows always has the machine's Run key.
    SettingsTest() { registry.CreateKey(RegistryRoot::LocalMachine, kRunKey, RegistryAccess::AllAccess); }

    void Put(const std::string& name, RegistryValue value, RegistryRoot root = RegistryRoot::LocalMachine) {
        registry.PutValue(root, kScratchKey, name, value);
    }
    std::optional<RegistryValue> Stored(const std::string& name, RegistryRoot root = RegistryRoot::LocalMachine) {
        return registry.GetValue(root, kScratchKey, name);
    }
    StoredSettings Load() { return LoadSettings(registry, kScratchKey, protection, kNow); }
    void Save(const StoredSettings& settings) { SaveSettings(settings, registry, kScratchKey, protection); }

    static constexpr std::int64_t kNow = 0x7fff0000;
    InMemoryRegistry registry;
    InMemoryDataProtection protection;
};
