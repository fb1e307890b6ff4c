#pragma once
#include "dialog_port.h"
#include "file_port.h"
#include "monitor_state.h"
#include "system_port.h"

// Everything an engine operation of the main window works with.
struct MonitorContext {
    MonitorState& state;
    AppSharedValues& app;
    DialogPort& dialog;
    SystemPort& system;
    FilePort& files;
};
