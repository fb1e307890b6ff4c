#include "program_windows.h"

#include <array>

namespace {

// The program's own dialogs, which are never taken for a message box.
constexpr std::array<const char*, 3> kOwnDialogTitles = {kMainWindowTitle, STATUS_WINDOW_TITLE, ABOUT_BOX_TITLE};
constexpr char kDialogClass[] = "#32770";

struct TitleSearch {
    std::string title;
    DWORD process = 0;  // 0: any process
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTitled(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TitleSearch*>(context);
    if (search->process != 0 && ProcessOf(window) != search->process) return TRUE;
    if (CaptionOf(window) == search->title) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindTitled(const std::string& title, DWORD process) {
    TitleSearch search{title, process, {}};
    EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsOwnDialog(const std::string& title) {
    for (const char* own : kOwnDialogTitles)
        if (title == own) return true;
    return false;
}

struct MessageBoxSearch {
    DWORD process = 0;
    HWND found = nullptr;
};

BOOL CALLBACK FindFirstMessageBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<MessageBoxSearch*>(context);
    if (ProcessOf(window) != search->process || !IsWindowVisible(window)) return TRUE;
    if (ClassNameOf(window) != kDialogClass || IsOwnDialog(CaptionOf(window))) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindMainWindow() {
    std::vector<HWND> found = FindTitled(kMainWindowTitle, 0);
    return found.empty() ? nullptr : found.front();
}

HWND FindProgramWindow(const std::string& title) {
    HWND main = FindMainWindow();
    if (main == nullptr) return nullptr;
    if (title == kMainWindowTitle) return main;
    std::vector<HWND> found = FindTitled(title, ProcessOf(main));
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> TopLevelWindowsTitled(const std::string& title) { return FindTitled(title, 0); }

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string CaptionOf(HWND window) {
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

std::string WindowText(HWND window) {
    // The text may grow between the two requests: ask again with room to spare
    // until the answer no longer fills the buffer.
    for (DWORD_PTR room = 256;; room *= 4) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kRequestTimeoutMs, &length)) return {};
        if (room <= length) room = length + 256;
        std::string text(room, '\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                                 kRequestTimeoutMs, &copied))
            return {};
        if (copied + 1 < room) {
            text.resize(copied);
            return text;
        }
    }
}

bool SetWindowTextOf(HWND window, const std::string& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                               kRequestTimeoutMs, &result) != 0 &&
           result != 0;
}

HWND FindMessageBox(DWORD process) {
    MessageBoxSearch search{process, nullptr};
    EnumWindows(FindFirstMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
