#include "system_port_win32.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <ctime>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kWindowsDirectoryBuffer = 270;
constexpr DWORD kMessageTextBuffer = 1024;

// ShellExecuteA takes a null pointer, not an empty text, for "none".
const char* TextOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

std::uint32_t Win32System::TickCount() { return GetTickCount(); }

std::int64_t Win32System::CurrentTime() { return static_cast<std::int64_t>(std::time(nullptr)); }

void Win32System::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32System::StartWorker(std::function<void()> work) {
    try {
        std::thread(work).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the work still has to happen, so it blocks this one.
        work();
    }
}

std::string Win32System::ExecutablePath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

std::string Win32System::WindowsDirectory() {
    std::vector<char> buffer(kWindowsDirectoryBuffer, '\0');
    UINT length = GetWindowsDirectoryA(buffer.data(), kWindowsDirectoryBuffer);
    if (length >= kWindowsDirectoryBuffer) {
        // Too long for the buffer: the caller decides what a path this long is worth.
        buffer.assign(length + 1, '\0');
        length = GetWindowsDirectoryA(buffer.data(), length + 1);
    }
    return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

std::string Win32System::SystemMessageText(int errorCode) {
    char text[kMessageTextBuffer] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(errorCode), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text,
                                        kMessageTextBuffer, nullptr);
    return std::string(text, length);
}

std::intptr_t Win32System::OpenWithShell(const ShellRequest& request) {
    const HINSTANCE result = ShellExecuteA(nullptr, TextOrNull(request.verb), request.file.c_str(),
                                           TextOrNull(request.parameters), TextOrNull(request.directory),
                                           request.showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

void Win32System::PlaySoundFile(const std::string& path) {
    PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

void Win32System::PlaySoundResource(int resourceId) {
    PlaySoundA(MAKEINTRESOURCEA(resourceId), instance_, SND_RESOURCE | SND_ASYNC);
}

std::string FileDialogFilter(const std::string& barSeparated) {
    std::string filter = barSeparated;
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    // The list ends with an empty entry, whether or not the text spelt it out.
    while (filter.size() < 2 || filter[filter.size() - 1] != '\0' || filter[filter.size() - 2] != '\0') {
        filter.push_back('\0');
    }
    return filter;
}

std::optional<std::string> Win32System::ChooseOpenFile(const OpenFileRequest& request) {
    const std::string filter = FileDialogFilter(request.filter);
    char file[MAX_PATH + 1] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow_;
    dialog.hInstance = instance_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = TextOrNull(request.defaultExtension);
    dialog.Flags = request.flags;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return std::string(file);
}

void Win32System::StartTimer(unsigned id, unsigned periodMs) { SetTimer(mainWindow_, id, periodMs, nullptr); }

void Win32System::KillTimer(unsigned id) { ::KillTimer(mainWindow_, id); }
