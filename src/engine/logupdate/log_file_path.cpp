#include "logupdate/log_file_path.h"

#include "path_parts.h"

void BuildLogFilePath(MonitorContext& context) {
    context.state.logFilePath = PathBeside(context.system.ExecutablePath(), "router.log");
}
