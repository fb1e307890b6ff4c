#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "in_memory_registry.h"
#include "settings/settings_store.h"
#include "local_files.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"

inline constexpr char kScratchKey[] = "SOFTWARE\\VorlaneTests\\Settings";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kMask[] = "*********";

// One run of the main window over a registry that outlives it.
struct MainWindowRun {
    explicit MainWindowRun(InMemoryRegistry& registry) : registry(registry) {
        // The shell's EN_CHANGE handlers of edit boxes 1009 and 1008.
        dialog.onTextChanged = [this](int id, const std::string& text) {
            if (id == IDC_PASSWORD) state.routerPassword.Set(text);
            if (id == IDC_ROUTER_ADDRESS) app.currentRouterAddress.Set(text);
        };
    }
    void Load() { LoadSettings(context, registry, kScratchKey); }
    void Save() { SaveSettings(context, registry, kScratchKey); }

    InMemoryRegistry& registry;
    FakeDialog dialog;
    FakeSystem system;
    MonitorState state;
    AppSharedValues app;
    LocalFiles files;
    MonitorContext context{state, app, dialog, system, files};
};

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

    InMemoryRegistry registry;
    MainWindowRun run{registry};
    FakeDialog& dialog = run.dialog;
    MonitorState& state = run.state;
};
