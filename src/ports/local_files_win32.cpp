#include <windows.h>

#include <cstdio>
#include <string>

#include "local_files.h"
#include "unicode_text_win32.h"

std::FILE* OpenLocalFile(const std::string& path, const char* mode) {
    return _wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
}

bool LocalFiles::RemoveFile(const std::string& path) { return DeleteFileW(WideFromUtf8(path).c_str()) != 0; }

FileReadResult LastOpenFailure() {
    // The C library keeps the system's own code of the failed open.
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
        return {FileReadResult::Outcome::Missing, static_cast<int>(code)};
    }
    return {FileReadResult::Outcome::Unreadable, static_cast<int>(code)};
}

std::optional<std::uint64_t> LocalFiles::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}
