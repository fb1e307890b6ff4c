#include "logproc/log_file_path.h"

#include "app/path_parts.h"

namespace {
constexpr std::string_view LogFileName = "router.log";
}  // namespace

std::string LogFilePathBeside(std::string_view executablePath) {
    std::string path = DriveAndDirectory(executablePath);
    path += LogFileName;
    return path;
}

void BuildLogFilePath(MonitorContext& context) {
    context.state.logFilePath = LogFilePathBeside(context.system.ExecutablePath());
}
