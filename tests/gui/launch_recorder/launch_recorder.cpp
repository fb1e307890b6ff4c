// Stands in for the user's external program: writes the command line it was
// started with and its current folder to launch_record.txt beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string RecordPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string record = path;
    const std::size_t separator = record.rfind('\\');
    return record.substr(0, separator == std::string::npos ? 0 : separator + 1) + "launch_record.txt";
}

}  // namespace

int main() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    // Written to a side file first, so a reader never sees half a record.
    const std::string record = RecordPath();
    const std::string partial = record + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) return 1;
    std::fprintf(file, "command line: %s\nfolder: %s\n", GetCommandLineA(), folder);
    std::fclose(file);
    return MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
