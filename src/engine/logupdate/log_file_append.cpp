#include "logupdate/log_file_append.h"

void AppendToLogFile(FilePort& files, const std::string& path, std::string_view text) {
    files.AppendToFile(path, text);
}
