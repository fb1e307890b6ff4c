// guidriver: automates Vorlane.exe for the GUI tests, one command per run.
//   guidriver [-w TITLE] COMMAND ARGS...
// -w picks the program's window the command addresses (default the main one).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <psapi.h>
#include <winternl.h>

#include "resource_ids.h"

namespace {

enum ExitCode : int { kSuccess = 0, kConditionFailed = 1, kUsageError = 2, kNoWindow = 3 };

constexpr char kMainWindowTitle[] = MAIN_WINDOW_TITLE;
constexpr UINT kRequestTimeoutMs = 5000;  // any one window request; longer means hung
constexpr DWORD kWatchLimitMs = 100;      // the worst WM_NULL round trip watch-null accepts
constexpr std::size_t kTextRoom = 512;

using Args = std::vector<std::string>;

std::optional<long> Number(const std::string& text) {
    long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? std::optional<long>(value) : std::nullopt;
}

std::optional<DWORD> Ms(const std::string& text) {
    std::optional<long> value = Number(text);
    return value && *value >= 0 ? std::optional<DWORD>(static_cast<DWORD>(*value)) : std::nullopt;
}

template <typename Condition>
bool WaitUntil(DWORD timeoutMs, Condition condition) {
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs;; Sleep(20)) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
    }
}

int Result(bool held) { return held ? kSuccess : kConditionFailed; }

template <typename Condition>
int WaitFor(const std::string& ms, Condition condition) {
    std::optional<DWORD> timeout = Ms(ms);
    return timeout ? Result(WaitUntil(*timeout, condition)) : kUsageError;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return kSuccess;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::string NameOf(HWND window, bool className) {
    char name[512] = {};
    className ? GetClassNameA(window, name, sizeof name) : GetWindowTextA(window, name, sizeof name);
    return name;
}
std::string CaptionOf(HWND window) { return NameOf(window, false); }

DWORD_PTR Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, bool* answered = nullptr) {
    DWORD_PTR result = 0;
    const bool ok = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kRequestTimeoutMs, &result) != 0;
    if (answered != nullptr) *answered = ok;
    return result;
}

// An edit box's text may grow between the two requests: ask until it no longer fills the buffer.
std::string WindowText(HWND window) {
    for (DWORD_PTR room = 256;; room *= 4) {
        bool answered = false;
        const DWORD_PTR length = Send(window, WM_GETTEXTLENGTH, 0, 0, &answered);
        if (!answered) return {};
        if (room <= length) room = length + 256;
        std::string text(room, '\0');
        const DWORD_PTR copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &answered);
        if (!answered) return {};
        if (copied + 1 < room) return text.substr(0, copied);
    }
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopWindows(const char* title = nullptr, DWORD process = 0) {
    std::vector<HWND> all, found;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all)
        if ((process == 0 || ProcessOf(w) == process) && (title == nullptr || CaptionOf(w) == title)) found.push_back(w);
    return found;
}

// The window of this title; any but the main one must belong to the main window's process.
HWND ProgramWindow(const std::string& title) {
    std::vector<HWND> main = TopWindows(kMainWindowTitle);
    if (main.empty() || title == kMainWindowTitle) return main.empty() ? nullptr : main.front();
    std::vector<HWND> found = TopWindows(title.c_str(), ProcessOf(main.front()));
    return found.empty() ? nullptr : found.front();
}
HWND MainWindow() { return ProgramWindow(kMainWindowTitle); }

// Posted, so that a message box it opens cannot block the driver, and it passes the message loop as input does.
bool PostClick(HWND window, int x, int y, bool twice = false) {
    const LPARAM at = MAKELPARAM(x, y);
    const bool posted = PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageA(window, WM_LBUTTONUP, 0, at);
    return posted && (!twice || (PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at) && PostMessageA(window, WM_LBUTTONUP, 0, at)));
}
int ClickMiddle(HWND window, const RECT& r) { return Result(PostClick(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2)); }

struct MessageButton {
    int id;
    const char* name;
};
constexpr std::array<MessageButton, 4> kButtons = {{{IDOK, "OK"}, {IDCANCEL, "Cancel"}, {IDYES, "Yes"}, {IDNO, "No"}}};
constexpr std::array<const char*, 5> kOwnDialogTitles = {kMainWindowTitle, STATUS_WINDOW_TITLE, ABOUT_BOX_TITLE,
                                                         INTRUDERS_WINDOW_TITLE, SYSLOG_WINDOW_TITLE};

HWND WaitForMessageBox(DWORD timeoutMs) {
    HWND main = MainWindow(), box = nullptr;
    auto found = [&] {
        for (HWND w : TopWindows(nullptr, ProcessOf(main)))
            if (IsWindowVisible(w) && NameOf(w, true) == "#32770" &&
                std::find(kOwnDialogTitles.begin(), kOwnDialogTitles.end(), CaptionOf(w)) == kOwnDialogTitles.end())
                return (box = w) != nullptr;
        return false;
    };
    if (main != nullptr) WaitUntil(timeoutMs, found);
    return box;
}

// Caption, the buttons present and the text (the icon is a static without text).
void PrintMessageBox(HWND box) {
    std::string buttons, text;
    for (const MessageButton& button : kButtons) {
        HWND control = GetDlgItem(box, button.id);
        if (control != nullptr && IsWindowVisible(control)) buttons += (buttons.empty() ? "" : " ") + std::string(button.name);
    }
    std::vector<HWND> children;
    EnumChildWindows(box, Collect, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children)
        if (text.empty() && NameOf(child, true) == "Static") text = WindowText(child);
    std::printf("caption: %s\nbuttons: %s\ntext: ", CaptionOf(box).c_str(), buttons.c_str());
    Print(text);
}


int WaitWindow(HWND, const Args& a) { return WaitFor(a[1], [&] { return ProgramWindow(a[0]) != nullptr; }); }

int WaitGone(HWND, const Args& a) { return WaitFor(a[1], [&] { return TopWindows(a[0].c_str()).empty(); }); }

int WaitVisible(HWND window, const Args& a) {
    if (a[0] != "0" && a[0] != "1") return kUsageError;
    return WaitFor(a[1], [&] { return (IsWindowVisible(window) != FALSE) == (a[0] == "1"); });
}

int FileTitle(HWND, const Args& a) {
    char title[MAX_PATH] = {};
    return GetFileTitleA(a[0].c_str(), title, sizeof title) != 0 ? kConditionFailed : Print(title);
}

int Foreground(HWND, const Args&) { return Print(CaptionOf(GetForegroundWindow())); }  // no window: no caption

int Kill(HWND window, const Args&) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(window));
    if (process == nullptr) return kConditionFailed;
    const bool ended = TerminateProcess(process, 1) && WaitForSingleObject(process, kRequestTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return Result(ended);
}

int Close(HWND window, const Args&) { return Result(PostMessageA(window, WM_CLOSE, 0, 0)); }

int Rect(HWND window, const Args&) {
    RECT r = {};
    if (!GetWindowRect(window, &r)) return kConditionFailed;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return kSuccess;
}

int Pointer(HWND, const Args& a) {
    std::optional<long> x = Number(a[0]), y = Number(a[1]);
    return x && y ? Result(SetCursorPos(static_cast<int>(*x), static_cast<int>(*y))) : kUsageError;
}

int GetText(HWND control, const Args&) { return Print(WindowText(control)); }

// WM_SETTEXT, so the program sees the change notification as for typing.
int SetText(HWND control, const Args& a) {
    bool answered = false;
    const DWORD_PTR set = Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[1].c_str()), &answered);
    return Result(answered && set != 0);
}

int WaitText(HWND control, const Args& a) {
    std::optional<DWORD> ms = Ms(a[3]);
    const std::string& mode = a[1];
    if (!ms || (mode != "is" && mode != "has" && mode != "lacks" && mode != "starts")) return kUsageError;
    std::string text;
    const bool matched = WaitUntil(*ms, [&] {
        text = WindowText(control);
        const bool has = text.find(a[2]) != std::string::npos;
        return mode == "is" ? text == a[2] : mode == "has" ? has : mode == "lacks" ? !has : text.starts_with(a[2]);
    });
    Print(text);  // tells a failing scenario what was there instead
    return Result(matched);
}

int GetSelection(HWND edit, const Args&) {
    const DWORD_PTR packed = Send(edit, EM_GETSEL);
    const std::string text = WindowText(edit);
    const std::size_t start = LOWORD(packed), end = HIWORD(packed);
    return Print(start <= end && end <= text.size() ? text.substr(start, end - start) : std::string());
}

int GetCheck(HWND control, const Args&) { return Print(std::to_string(Send(control, BM_GETCHECK))); }

int Click(HWND control, const Args&) { return Result(PostMessageA(control, BM_CLICK, 0, 0)); }

int Command(HWND window, const Args& a) {
    std::optional<long> id = Number(a[0]);
    return id ? Result(PostMessageA(window, WM_COMMAND, MAKEWPARAM(*id, 0), 0)) : kUsageError;
}

// A key press posted where the program's dialog navigation picks it up.
int Key(HWND target, const Args& a) {
    if (a[0] != "escape" && a[0] != "enter") return kUsageError;
    const WPARAM key = a[0] == "escape" ? VK_ESCAPE : VK_RETURN;
    // Repeat count 1 and the scan code; a release also has its previous-state and transition bits.
    const DWORD press = (MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC) << 16) | 1u;
    return Result(PostMessageA(target, WM_KEYDOWN, key, static_cast<LPARAM>(press)) &&
                  PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(press | 0xC0000000u)));
}

int Tray(HWND main, const Args& a) {
    const LPARAM event = a[0] == "dblclk" ? WM_LBUTTONDBLCLK : a[0] == "rdown" ? WM_RBUTTONDOWN
                         : a[0] == "balloonclick" ? NIN_BALLOONUSERCLICK : 0;
    return event != 0 ? Result(PostMessageA(main, WM_TRAY_CALLBACK, TRAY_ICON_ID, event)) : kUsageError;
}

// A double-click in the middle of the first TEXT in an edit box, scrolled into view.
int DoubleClickText(HWND edit, const Args& a) {
    const std::size_t found = WindowText(edit).find(a[1]);
    if (a[1].empty() || found == std::string::npos) return kConditionFailed;
    const std::size_t index = found + a[1].size() / 2;
    Send(edit, EM_SETSEL, index, static_cast<LPARAM>(index));
    Send(edit, EM_SCROLLCARET);
    const DWORD_PTR packed = Send(edit, EM_POSFROMCHAR, index);
    const POINT at{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
    RECT client = {};
    GetClientRect(edit, &client);
    // Inside the character cell, not on its left edge or top line.
    return PtInRect(&client, at) ? Result(PostClick(edit, at.x + 2, at.y + 4, true)) : kConditionFailed;
}

int MouseClick(HWND control, const Args&) {
    RECT client = {};
    GetClientRect(control, &client);
    return ClickMiddle(control, client);
}

// A click on a control that lets the mouse through (the animation): the window under it gets it.
int ClickThrough(HWND control, const Args&) {
    HWND parent = GetParent(control);
    RECT area = {};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    return ClickMiddle(parent, area);
}

int Answer(HWND, const Args& a) {
    const auto button = std::find_if(kButtons.begin(), kButtons.end(), [&](const MessageButton& b) { return a[0] == b.name; });
    std::optional<DWORD> ms = Ms(a[1]);
    if (button == kButtons.end() || !ms) return kUsageError;
    HWND box = WaitForMessageBox(*ms);
    if (box == nullptr) return kConditionFailed;
    PrintMessageBox(box);
    HWND control = GetDlgItem(box, button->id);
    if (control == nullptr || !PostMessageA(control, BM_CLICK, 0, 0)) return kConditionFailed;
    return Result(WaitUntil(*ms, [&] { return !IsWindow(box); }));
}

int NoMessageBox(HWND, const Args& a) {
    std::optional<DWORD> ms = Ms(a[0]);
    if (!ms) return kUsageError;
    HWND box = WaitForMessageBox(*ms);
    if (box != nullptr) PrintMessageBox(box);
    return Result(box == nullptr);
}

std::optional<double> RoundTrip(HWND window) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    bool answered = false;
    Send(window, WM_NULL, 0, 0, &answered);
    QueryPerformanceCounter(&end);
    if (!answered) return std::nullopt;
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int Ping(HWND window, const Args&) { return Result(RoundTrip(window).has_value()); }

void Begun(const char* word) { std::puts(word), std::fflush(stdout); }

// Probes until STOPFILE or MAX_MS; fails when the worst round trip is above the limit or any went unanswered.
int WatchNull(HWND window, const Args& a) {
    std::optional<DWORD> maxMs = Ms(a[1]);
    if (!maxMs) return kUsageError;
    Begun("probing");
    const ULONGLONG deadline = GetTickCount64() + *maxMs;
    double worst = 0.0;
    unsigned probes = 0, unanswered = 0;
    for (; !FileExists(a[0]) && GetTickCount64() < deadline && IsWindow(window); ++probes, Sleep(5)) {
        std::optional<double> trip = RoundTrip(window);
        if (!trip) ++unanswered;
        else worst = std::max(worst, *trip);
    }
    std::printf("worst %.2f ms over %u probes, %u unanswered\n", worst, probes, unanswered);
    return Result(worst <= kWatchLimitMs && unanswered == 0 && probes > 0);
}

// Another program holding a file open without sharing until STOPFILE or MAX_MS: the log file's lost writes.
int HoldFile(HWND, const Args& a) {
    std::optional<DWORD> ms = Ms(a[2]);
    if (!ms) return kUsageError;
    HANDLE file = CreateFileA(a[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kConditionFailed;
    Begun("holding");
    WaitUntil(*ms, [&] { return FileExists(a[1]); });
    CloseHandle(file);
    return kSuccess;
}

long HandlesInSystemTable(DWORD process) {
    constexpr auto kLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<unsigned char> buffer(256 * 1024);
    NTSTATUS status;
    ULONG needed = 0;
    // The table grows while it is read: ask again with room to spare.
    while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                              &needed)) == kLengthMismatch &&
           buffer.size() < 64 * 1024 * 1024)
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 256 * 1024));
    if (status < 0) return -1;
    const auto* table = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    const std::size_t room = (buffer.size() - offsetof(SYSTEM_HANDLE_INFORMATION, Handle)) / sizeof(SYSTEM_HANDLE_ENTRY);
    long count = 0;
    for (std::size_t i = 0; i < table->Count && i < room; ++i) count += table->Handle[i].OwnerPid == process ? 1 : 0;
    return count;
}

// For the long run: Wine 8 answers GetProcessHandleCount with 0 and leaves PrivateUsage at 0.
int HandleCount(HWND main, const Args&) {
    const long count = HandlesInSystemTable(ProcessOf(main));
    if (count > 0) std::printf("%ld system-handle-table\n", count);
    return Result(count > 0);
}

int PrivateBytes(HWND main, const Args&) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessOf(main));
    PROCESS_MEMORY_COUNTERS_EX c = {};
    c.cb = sizeof c;
    const bool known = process != nullptr && GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&c), sizeof c);
    if (process != nullptr) CloseHandle(process);
    const unsigned long long bytes = c.PrivateUsage != 0 ? c.PrivateUsage : c.PagefileUsage;
    if (known && bytes != 0) std::printf("%llu %s\n", bytes, c.PrivateUsage != 0 ? "PrivateUsage" : "PagefileUsage");
    return Result(known && bytes != 0);
}

// The list and the balloon fill in memory of the program's process.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(window));
        if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(address_); }
    bool Copy(bool write, void* data, std::size_t size, std::size_t offset = 0) {
        if (address_ == nullptr || offset + size > size_) return false;
        return write ? WriteProcessMemory(process_, At(offset), data, size, nullptr)
                     : ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

private:
    std::size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

int ListRows(HWND list, const Args&) {
    const auto columns = static_cast<int>(Send(reinterpret_cast<HWND>(Send(list, LVM_GETHEADER)), HDM_GETITEMCOUNT));
    const auto rows = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
    RemoteBuffer buffer(list, sizeof(LVITEMA) + kTextRoom);
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < columns; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = buffer.At(sizeof item);
            item.cchTextMax = kTextRoom;
            char text[kTextRoom] = {};
            if (!buffer.Copy(true, &item, sizeof item)) return kConditionFailed;
            Send(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), buffer.Param());
            buffer.Copy(false, text, sizeof text - 1, sizeof item);
            line += (column > 0 ? "\t" : "") + std::string(text);
        }
        Print(line);
    }
    return kSuccess;
}

int ListSelect(HWND list, const Args& a) {
    std::optional<long> row = Number(a[1]);
    if (!row) return kUsageError;
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    RemoteBuffer buffer(list, sizeof item);
    return Result(buffer.Copy(true, &item, sizeof item) && Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(*row), buffer.Param()));
}

int HeaderClick(HWND list, const Args& a) {
    std::optional<long> column = Number(a[1]);
    if (!column) return kUsageError;
    const auto header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
    RECT r = {};
    RemoteBuffer buffer(header, sizeof r);
    const bool known = buffer.Copy(true, &r, sizeof r) &&
                       Send(header, HDM_GETITEMRECT, static_cast<WPARAM>(*column), buffer.Param()) && buffer.Copy(false, &r, sizeof r);
    return known ? ClickMiddle(header, r) : kConditionFailed;
}

int Clipboard(HWND, const Args&) {
    if (!OpenClipboard(nullptr)) return kConditionFailed;
    const HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) Print(text);
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    return Result(text != nullptr);
}

HWND VisibleBalloon() {
    for (HWND w : TopWindows())
        if (NameOf(w, true) == TOOLTIPS_CLASSA && IsWindowVisible(w) && (GetWindowLongA(w, GWL_STYLE) & TTS_BALLOON) != 0) return w;
    return nullptr;
}

// The text of a tooltip's first tool: a balloon's text (its title is drawn
// and not read back), or a tray icon's tip.
std::string ToolTipText(HWND tooltip) {
    TOOLINFOW info = {};
    info.cbSize = sizeof info;
    RemoteBuffer buffer(tooltip, sizeof info + kTextRoom * sizeof(wchar_t));
    if (!buffer.Copy(true, &info, sizeof info)) return "";
    Send(tooltip, TTM_ENUMTOOLSW, 0, buffer.Param());
    buffer.Copy(false, &info, sizeof info);
    info.lpszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof info));
    buffer.Copy(true, &info, sizeof info);
    Send(tooltip, TTM_GETTEXTW, kTextRoom, buffer.Param());
    wchar_t text[kTextRoom] = {};
    buffer.Copy(false, text, sizeof text - sizeof(wchar_t), sizeof info);
    char narrow[2 * kTextRoom] = {};
    std::snprintf(narrow, sizeof narrow, "%ls", text);
    return narrow;
}

int WaitBalloon(HWND, const Args& a) {
    std::optional<DWORD> ms = Ms(a[1]);
    if (!ms || (a[0] != "1" && a[0] != "0")) return kUsageError;
    HWND balloon = nullptr;
    const bool shown = WaitUntil(*ms, [&] { return (balloon = VisibleBalloon()) != nullptr; });
    if (shown && a[0] == "1") Print(ToolTipText(balloon));
    return Result(shown == (a[0] == "1"));
}

// Each balloon shown until STOPFILE or MAX_MS, a line each: the taskbar
// makes a window for every balloon, also for one that replaces another.
int WatchBalloons(HWND, const Args& a) {
    Begun("watching");
    HWND last = nullptr;
    return WaitFor(a[1], [&] {
        HWND balloon = VisibleBalloon();
        if (balloon != nullptr && balloon != last) {
            Print(ToolTipText(last = balloon));
            std::fflush(stdout);
        }
        return FileExists(a[0]);
    });
}

// The tray icon's tip: Wine's taskbar keeps a tooltip for each icon, owned by the taskbar.
std::string TrayTip() {
    for (HWND w : TopWindows())
        if (NameOf(w, true) == TOOLTIPS_CLASSA && (GetWindowLongA(w, GWL_STYLE) & TTS_BALLOON) == 0 &&
            NameOf(GetWindow(w, GW_OWNER), true) == "Shell_TrayWnd")
            return ToolTipText(w);
    return "";
}

int WaitTip(HWND, const Args& a) {
    std::string tip;
    const int result = WaitFor(a[1], [&] { return (tip = TrayTip()).starts_with(a[0]); });
    Print(tip);
    return result;
}


// A window's pixels as the screen shows them: a checksum that tells whether
// its picture changed, and how many pixels are not the window colour.
int Pixels(HWND window, const Args&) {
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    // The screen's, as a window of another process has no DC this one could read.
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = bitmap != nullptr ? SelectObject(memory, bitmap) : nullptr;
    const bool copied = bitmap != nullptr &&
                        BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    if (!copied) std::fprintf(stderr, "guidriver: no pixels (%lu)\n", GetLastError());
    GdiFlush();
    unsigned long long checksum = 14695981039346656037ull;  // FNV-1a
    unsigned long long other = 0;
    const COLORREF paper = GetSysColor(COLOR_WINDOW);
    const DWORD background = GetRValue(paper) << 16 | GetGValue(paper) << 8 | GetBValue(paper);
    const auto* pixel = static_cast<const DWORD*>(bits);
    for (long i = 0; copied && i < static_cast<long>(client.right) * client.bottom; ++i) {
        checksum = (checksum ^ (pixel[i] & 0xFFFFFF)) * 1099511628211ull;
        other += (pixel[i] & 0xFFFFFF) != background ? 1 : 0;
    }
    if (old != nullptr) SelectObject(memory, old);
    if (bitmap != nullptr) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (copied) std::printf("%016llx %llu\n", checksum, other);
    return Result(copied);
}

// What a command addresses: nothing, the -w window, the main window, the
// control named by the first argument, or by the last one when it is given.
enum class Target { None, Window, Main, FirstId, LastId };

struct DriverCommand {
    const char* name;
    const char* usage;
    std::size_t minArgs, maxArgs;
    Target target;
    int (*run)(HWND target, const Args& args);
};

constexpr DriverCommand kCommands[] = {
    {"wait-window", "TITLE MS", 2, 2, Target::None, WaitWindow},
    {"wait-gone", "TITLE MS", 2, 2, Target::None, WaitGone},
    {"wait-visible", "1|0 MS [ID]", 2, 3, Target::LastId, WaitVisible},
    {"file-title", "PATH", 1, 1, Target::None, FileTitle},
    {"foreground", "", 0, 0, Target::None, Foreground},
    {"kill", "", 0, 0, Target::Main, Kill},
    {"close", "", 0, 0, Target::Window, Close},
    {"rect", "[ID]", 0, 1, Target::LastId, Rect},
    {"pointer", "X Y", 2, 2, Target::None, Pointer},
    {"get-text", "ID", 1, 1, Target::FirstId, GetText},
    {"set-text", "ID TEXT", 2, 2, Target::FirstId, SetText},
    {"wait-text", "ID is|has|lacks|starts TEXT MS", 4, 4, Target::FirstId, WaitText},
    {"get-sel", "ID", 1, 1, Target::FirstId, GetSelection},
    {"get-check", "ID", 1, 1, Target::FirstId, GetCheck},
    {"click", "ID", 1, 1, Target::FirstId, Click},
    {"command", "ID", 1, 1, Target::Window, Command},
    {"key", "escape|enter [ID]", 1, 2, Target::LastId, Key},
    {"tray", "dblclk|rdown|balloonclick", 1, 1, Target::Main, Tray},
    {"dblclick-text", "ID TEXT", 2, 2, Target::FirstId, DoubleClickText},
    {"mouse-click", "ID", 1, 1, Target::FirstId, MouseClick},
    {"click-through", "ID", 1, 1, Target::FirstId, ClickThrough},
    {"answer", "Yes|No|OK|Cancel MS", 2, 2, Target::None, Answer},
    {"no-msgbox", "MS", 1, 1, Target::None, NoMessageBox},
    {"ping", "", 0, 0, Target::Window, Ping},
    {"watch-null", "STOPFILE MAX_MS", 2, 2, Target::Window, WatchNull},
    {"handle-count", "", 0, 0, Target::Main, HandleCount},
    {"private-bytes", "", 0, 0, Target::Main, PrivateBytes},
    {"hold-file", "PATH STOPFILE MAX_MS", 3, 3, Target::None, HoldFile},
    {"list-rows", "ID", 1, 1, Target::FirstId, ListRows},
    {"list-select", "ID ROW", 2, 2, Target::FirstId, ListSelect},
    {"header-click", "ID COLUMN", 2, 2, Target::FirstId, HeaderClick},
    {"clipboard", "", 0, 0, Target::None, Clipboard},
    {"wait-balloon", "1|0 MS", 2, 2, Target::None, WaitBalloon},
    {"watch-balloons", "STOPFILE MAX_MS", 2, 2, Target::None, WatchBalloons},
    {"wait-tip", "START MS", 2, 2, Target::None, WaitTip},
    {"pixels", "ID", 1, 1, Target::FirstId, Pixels},
};

int kUsage() {
    std::fputs("usage: guidriver [-w TITLE] COMMAND ARGS...\ncommands:\n", stderr);
    for (const DriverCommand& command : kCommands) std::fprintf(stderr, "  %s %s\n", command.name, command.usage);
    return kUsageError;
}

// The command's target, a control by id (0: the window itself); nullptr (and a note) when missing.
HWND Resolve(const DriverCommand& command, const std::string& title, const Args& args) {
    HWND target = command.target == Target::Main ? MainWindow() : ProgramWindow(title);
    const bool byId = command.target == Target::FirstId || (command.target == Target::LastId && args.size() == command.maxArgs);
    if (target != nullptr && byId) {
        std::optional<long> id = Number(command.target == Target::FirstId ? args.front() : args.back());
        target = !id ? nullptr : *id == 0 ? target : GetDlgItem(target, static_cast<int>(*id));
    }
    if (target == nullptr) std::fprintf(stderr, "guidriver: no window \"%s\" or no such control\n", title.c_str());
    return target;
}

}  // namespace

int main(int argc, char** argv) {
    // Texts go out byte for byte: the scenarios compare "\r\n" line breaks.
    _setmode(_fileno(stdout), _O_BINARY);
    const bool window = argc > 2 && std::string_view(argv[1]) == "-w";
    const std::string title = window ? argv[2] : kMainWindowTitle;
    const int next = window ? 3 : 1;
    if (next >= argc) return kUsage();
    const Args args(argv + next + 1, argv + argc);
    for (const DriverCommand& command : kCommands) {
        if (argv[next] != std::string_view(command.name)) continue;
        if (args.size() < command.minArgs || args.size() > command.maxArgs) return kUsage();
        HWND target = nullptr;
        if (command.target != Target::None && (target = Resolve(command, title, args)) == nullptr) return kNoWindow;
        const int result = command.run(target, args);
        std::fflush(stdout);
        return result;
    }
    return kUsage();
}
