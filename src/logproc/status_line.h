#pragma once
#include <string>

#include "app/monitor_context.h"

// Sets the main window's status line.
void SetStatusText(MonitorContext& context, const std::string& text);
