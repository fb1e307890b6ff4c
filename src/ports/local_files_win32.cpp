#include <windows.h>

#include <cstdio>
#include <string>

#include "local_files.h"
#include "unicode_text_win32.h"

std::FILE* OpenLocalFile(const std::string& path, const char* mode) {
    return _wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
}

bool LocalFiles::RemoveFile(const std::string& path) { return DeleteFileW(WideFromUtf8(path).c_str()) != 0; }
