#include "path_parts.h"

std::string DriveAndDirectory(std::string_view path) {
    const auto separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos) return std::string(path.substr(0, separator + 1));
    const bool hasDrive = path.size() >= 2 && path[1] == ':';
    return hasDrive ? std::string(path.substr(0, 2)) : std::string();
}

std::string PathBeside(std::string_view filePath, std::string_view fileName) {
    return DriveAndDirectory(filePath).append(fileName);
}
