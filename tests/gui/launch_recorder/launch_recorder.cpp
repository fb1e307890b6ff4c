// Stands in for the user's external program: writes its command line and
// current folder, in UTF-8, to launch_record.txt beside itself. No console or
// window, so that starting it takes the focus from nothing.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

std::wstring RecordPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring module = path;
    return module.substr(0, module.rfind(L'\\') + 1) + L"launch_record.txt";  // npos + 1 == 0: no folder
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    // Written to a side file first, so a reader never sees half a record.
    const std::wstring record = RecordPath();
    const std::wstring partial = record + L".part";
    std::FILE* file = _wfopen(partial.c_str(), L"wb");
    if (file == nullptr) return 1;
    std::fprintf(file, "command line: %s\nfolder: %s\n", Utf8(GetCommandLineW()).c_str(), Utf8(folder).c_str());
    std::fclose(file);
    return MoveFileExW(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
