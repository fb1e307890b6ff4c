// Whole windows and the program's process.
#include <cstdio>

#include "driver_command.h"
#include "program_windows.h"
#include "wait_until.h"

// After windows.h, which it needs.
#include <commdlg.h>

namespace {

int WaitWindow(const DriverContext&, const CommandArgs& args) {
    std::optional<DWORD> timeout = Milliseconds(args[1]);
    if (!timeout) return kUsageError;
    const bool appeared = WaitUntil(*timeout, [&] { return FindProgramWindow(args[0]) != nullptr; });
    if (!appeared) std::fprintf(stderr, "guidriver: no window \"%s\" within %lu ms\n", args[0].c_str(), *timeout);
    return appeared ? kSuccess : kConditionFailed;
}

int WaitGone(const DriverContext&, const CommandArgs& args) {
    std::optional<DWORD> timeout = Milliseconds(args[1]);
    if (!timeout) return kUsageError;
    return WaitUntil(*timeout, [&] { return TopLevelWindowsTitled(args[0]).empty(); }) ? kSuccess : kConditionFailed;
}

int CountWindows(const DriverContext&, const CommandArgs& args) {
    std::printf("%zu\n", TopLevelWindowsTitled(args[0]).size());
    return kSuccess;
}

// The window, or one of its controls when an id is given.
int Visible(const DriverContext& context, const CommandArgs& args) {
    HWND window = TargetControl(context, args.empty() ? "0" : args[0]);
    if (window == nullptr) return kNoWindow;
    std::printf("%d\n", IsWindowVisible(window) ? 1 : 0);
    return kSuccess;
}

int WaitVisible(const DriverContext& context, const CommandArgs& args) {
    std::optional<long> wanted = ParseNumber(args[0]);
    std::optional<DWORD> timeout = Milliseconds(args[1]);
    if (!wanted || !timeout) return kUsageError;
    HWND window = TargetControl(context, args.size() > 2 ? args[2] : "0");
    if (window == nullptr) return kNoWindow;
    const bool reached = WaitUntil(*timeout, [&] { return (IsWindowVisible(window) ? 1 : 0) == *wanted; });
    std::printf("%d\n", IsWindowVisible(window) ? 1 : 0);
    return reached ? kSuccess : kConditionFailed;
}

int Foreground(const DriverContext&, const CommandArgs&) {
    HWND window = GetForegroundWindow();
    std::printf("%s\n", window == nullptr ? "" : CaptionOf(window).c_str());
    return kSuccess;
}

int ProcessId(const DriverContext&, const CommandArgs&) {
    HWND main = FindMainWindow();
    if (main == nullptr) return kNoWindow;
    std::printf("%lu\n", ProcessOf(main));
    return kSuccess;
}

// Ends the program under test, by the process id of its main window.
int Kill(const DriverContext&, const CommandArgs&) {
    HWND main = FindMainWindow();
    if (main == nullptr) return kNoWindow;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(main));
    if (process == nullptr) return kConditionFailed;
    const bool ended = TerminateProcess(process, 1) && WaitForSingleObject(process, kRequestTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? kSuccess : kConditionFailed;
}

// The title the system's file-title service gives a path: the caption of
// the program's message boxes.
int FileTitle(const DriverContext&, const CommandArgs& args) {
    char title[MAX_PATH] = {};
    if (GetFileTitleA(args[0].c_str(), title, sizeof title) != 0) return kConditionFailed;
    std::printf("%s\n", title);
    return kSuccess;
}

// Where the window stands on the screen: "X Y WIDTH HEIGHT", e.g. to crop a screenshot.
int Rect(const DriverContext& context, const CommandArgs&) {
    HWND window = TargetWindow(context);
    if (window == nullptr) return kNoWindow;
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return kConditionFailed;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return kSuccess;
}

// Moves the mouse pointer, e.g. off the windows before a screenshot.
int Pointer(const DriverContext&, const CommandArgs& args) {
    std::optional<long> x = ParseNumber(args[0]);
    std::optional<long> y = ParseNumber(args[1]);
    if (!x || !y) return kUsageError;
    return SetCursorPos(static_cast<int>(*x), static_cast<int>(*y)) ? kSuccess : kConditionFailed;
}

int Close(const DriverContext& context, const CommandArgs&) {
    HWND window = TargetWindow(context);
    if (window == nullptr) return kNoWindow;
    return PostMessageA(window, WM_CLOSE, 0, 0) ? kSuccess : kConditionFailed;
}

}  // namespace

std::vector<DriverCommand> WindowCommands() {
    return {
        {"wait-window", "TITLE MS", 2, 2, WaitWindow},
        {"wait-gone", "TITLE MS", 2, 2, WaitGone},
        {"count-windows", "TITLE", 1, 1, CountWindows},
        {"visible", "[ID]", 0, 1, Visible},
        {"wait-visible", "1|0 MS [ID]", 2, 3, WaitVisible},
        {"file-title", "PATH", 1, 1, FileTitle},
        {"foreground", "", 0, 0, Foreground},
        {"pid", "", 0, 0, ProcessId},
        {"kill", "", 0, 0, Kill},
        {"close", "", 0, 0, Close},
        {"rect", "", 0, 0, Rect},
        {"pointer", "X Y", 2, 2, Pointer},
    };
}
