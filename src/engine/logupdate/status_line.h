#pragma once
#include <string>

#include "monitor_context.h"

// Sets the main window's status line.
void SetStatusLineText(MonitorContext& context, const std::string& text);
