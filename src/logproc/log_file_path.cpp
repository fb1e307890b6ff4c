#include "logproc/log_file_path.h"

namespace {
constexpr std::string_view LogFileName = "router.log";

// The drive and directory of a path, as the platform's path splitter
// gives them: everything up to the last separator, or just the drive.
std::string_view DriveAndDirectory(std::string_view path) {
    const auto separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos) return path.substr(0, separator + 1);
    const bool hasDrive = path.size() >= 2 && path[1] == ':';
    return hasDrive ? path.substr(0, 2) : std::string_view();
}
}  // namespace

std::string LogFilePathBeside(std::string_view executablePath) {
    std::string path(DriveAndDirectory(executablePath));
    path += LogFileName;
    return path;
}

void BuildLogFilePath(MonitorContext& context) {
    context.state.logFilePath = LogFilePathBeside(context.system.ExecutablePath());
}
