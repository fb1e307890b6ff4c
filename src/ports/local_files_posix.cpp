#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "local_files.h"

std::FILE* OpenLocalFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool LocalFiles::RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

FileReadResult LastOpenFailure() {
    if (errno == ENOENT) return {FileReadResult::Outcome::Missing, errno};
    return {FileReadResult::Outcome::Unreadable, errno};
}

std::optional<std::uint64_t> LocalFiles::FileSize(const std::string& path) {
    struct stat status = {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
}
