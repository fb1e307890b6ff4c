#include "system_port_win32.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "module_file_win32.h"
#include "system_library_win32.h"
#include "unicode_text_win32.h"

namespace {

constexpr DWORD kWindowsDirectoryBuffer = 270;
constexpr DWORD kMessageTextBuffer = 1024;

// The shell takes a null pointer, not an empty text, for "none".
const wchar_t* TextOrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// Without winmm there is no sound, and nothing else is missed.
void PlaySoundIfAny(const wchar_t* sound, HMODULE module, DWORD flags) {
    using PlaySoundFunction = decltype(PlaySoundW);
    static PlaySoundFunction* const playSound = SystemFunction<PlaySoundFunction>(L"winmm.dll", "PlaySoundW");
    if (playSound != nullptr) playSound(sound, module, flags);
}

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

void Win32System::PostToGuiThread(std::function<void()> task) {
    const HWND window = mainWindow_;
    // Without the window a post would go to the calling thread's own queue, where nothing reads it.
    if (window == nullptr) return;
    auto* posted = new std::function<void()>(std::move(task));
    if (!PostMessageA(window, kRunPostedTaskMessage, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

void RunPostedTask(LPARAM lParam) {
    const std::unique_ptr<std::function<void()>> task(reinterpret_cast<std::function<void()>*>(lParam));
    (*task)();
}

std::string Win32System::ExecutablePath() { return Utf8FromWide(ModuleFileName()); }

std::string Win32System::WindowsDirectory() {
    std::vector<wchar_t> buffer(kWindowsDirectoryBuffer, L'\0');
    UINT length = GetWindowsDirectoryW(buffer.data(), kWindowsDirectoryBuffer);
    if (length >= kWindowsDirectoryBuffer) {
        // Too long for the buffer: the caller decides what a path this long is worth.
        buffer.assign(length + 1, L'\0');
        length = GetWindowsDirectoryW(buffer.data(), length + 1);
    }
    return Utf8FromWide(std::wstring_view(buffer.data(), length < buffer.size() ? length : 0));
}

std::string Win32System::AnsiToUtf8(const std::string& text) { return Utf8FromAnsi(text); }

std::string Win32System::SystemMessageText(int errorCode) {
    char text[kMessageTextBuffer] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(errorCode), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text,
                                        kMessageTextBuffer, nullptr);
    return std::string(text, length);
}

std::intptr_t Win32System::OpenWithShell(const ShellRequest& request) {
    const std::wstring verb = WideFromUtf8(request.verb);
    const std::wstring file = WideFromUtf8(request.file);
    const std::wstring parameters = WideFromUtf8(request.parameters);
    const std::wstring directory = WideFromUtf8(request.directory);
    const HINSTANCE result = ShellExecuteW(nullptr, TextOrNull(verb), file.c_str(), TextOrNull(parameters),
                                           TextOrNull(directory), request.showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

void Win32System::PlaySoundFile(const std::string& path) {
    PlaySoundIfAny(WideFromUtf8(path).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

void Win32System::PlaySoundResource(int resourceId) {
    PlaySoundIfAny(MAKEINTRESOURCEW(resourceId), instance_, SND_RESOURCE | SND_ASYNC);
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

std::optional<std::string> Win32System::ChooseOpenFile(const FileDialogRequest& request) {
    return ChooseFile(request, mainWindow_, false);
}

std::optional<std::string> Win32System::ChooseSaveFile(const FileDialogRequest& request) {
    const HWND active = GetActiveWindow();
    return ChooseFile(request, active != nullptr ? active : mainWindow_.load(), true);
}

std::optional<std::string> Win32System::ChooseFile(const FileDialogRequest& request, HWND owner, bool save) {
    const std::wstring filter = WideFromUtf8(FileDialogFilter(request.filter));
    const std::wstring extension = WideFromUtf8(request.defaultExtension);
    std::wstring file = WideFromUtf8(request.fileName);
    file.resize(MAX_PATH + 1, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hInstance = instance_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = TextOrNull(extension);
    dialog.Flags = request.flags;
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return std::nullopt;
    return Utf8FromWide(file.c_str());
}

bool Win32System::CopyTextToClipboard(const std::string& text) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr) return false;
    char* bytes = static_cast<char*>(GlobalLock(memory));
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it takes it; until then it is ours to free.
    if (OpenClipboard(mainWindow_)) {
        const bool taken = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
        CloseClipboard();
        if (taken) return true;
    }
    GlobalFree(memory);
    return false;
}

void Win32System::StartTimer(unsigned id, unsigned periodMs) { SetTimer(mainWindow_, id, periodMs, nullptr); }

void Win32System::KillTimer(unsigned id) { ::KillTimer(mainWindow_, id); }
