#pragma once
#include <string>

#include "monitor_context.h"
#include "registry_port.h"
#include "resource_ids.h"

// The program's own key. Tests pass a scratch key instead.
inline constexpr char kOptionsKeyPath[] = OPTIONS_KEY_PATH;

// Reads the options into the main window's controls and the state, once at
// start. The key of the current user wins over the machine's when it exists.
// Edit box 1009 gets the mask before routerPassword is set, since the box's
// change notification copies its text into routerPassword.
void LoadSettings(MonitorContext& context, RegistryPort& registry, const std::string& keyPath);

// Writes the options back, once at exit. The machine's key is used unless
// the current user's exists or the machine's cannot be written. Failures
// are silent.
void SaveSettings(MonitorContext& context, RegistryPort& registry, const std::string& keyPath);

// Writes lastDate alone, so that a crash does not log old entries again.
void SaveLastDate(MonitorState& state, RegistryPort& registry, const std::string& keyPath);
