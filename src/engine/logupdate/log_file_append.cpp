#include "logupdate/log_file_append.h"

#include <cstdio>

void AppendToLogFile(const std::string& path, std::string_view text) {
    // Binary, so the lines' "\r\n" reach the file unchanged on every platform.
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return;
    if (std::fwrite(text.data(), 1, text.size(), file) == text.size()) std::fflush(file);
    std::fclose(file);
}
