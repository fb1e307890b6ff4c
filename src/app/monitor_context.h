#pragma once
#include "app/dialog_port.h"
#include "app/monitor_state.h"
#include "app/system_port.h"

// Everything an engine operation of the main window works with.
struct MonitorContext {
    MonitorState& state;
    AppSharedValues& app;
    DialogPort& dialog;
    SystemPort& system;
};
