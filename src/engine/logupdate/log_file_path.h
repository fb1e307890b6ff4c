#pragma once
#include "monitor_context.h"

// Sets the state's logFilePath: router.log beside the running executable.
void BuildLogFilePath(MonitorContext& context);
