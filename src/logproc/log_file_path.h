#pragma once
#include <string>
#include <string_view>

#include "app/monitor_context.h"

// router.log in the folder of the given executable path; both '\' and '/'
// separate folders, and a leading "X:" drive is kept.
std::string LogFilePathBeside(std::string_view executablePath);

// Sets the state's logFilePath from the running executable's path.
void BuildLogFilePath(MonitorContext& context);
