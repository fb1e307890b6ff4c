#include <cstdio>
#include <string>

#include "local_files.h"

std::FILE* OpenLocalFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool LocalFiles::RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }
