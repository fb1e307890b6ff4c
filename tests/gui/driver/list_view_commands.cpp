// The Intruders window's list, the clipboard and the tray's balloon. The
// list and the balloon live in other processes, so their structures are
// placed in the owning process's memory and read back from there.
#include "driver_command.h"

#include <commctrl.h>

#include <cstdio>

#include "program_windows.h"

namespace {

constexpr std::size_t kTextRoom = 512;

// A block of memory in the process that owns a window.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ready() const { return address_ != nullptr; }
    char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t size) {
        return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    bool Read(std::size_t offset, void* data, std::size_t size) {
        return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

private:
    std::size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kRequestTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string ItemText(HWND list, RemoteBuffer& buffer, int row, int column) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.At(sizeof item);
    item.cchTextMax = kTextRoom;
    char text[kTextRoom] = {};
    if (!buffer.Write(0, &item, sizeof item)) return "";
    Ask(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.At(0)));
    buffer.Read(sizeof item, text, sizeof text - 1);
    return text;
}

// Every row, its columns separated by tabs.
int ListRows(const DriverContext& context, const CommandArgs& args) {
    HWND list = TargetControl(context, args[0]);
    if (list == nullptr) return kNoWindow;
    HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(Ask(header, HDM_GETITEMCOUNT, 0, 0));
    const int rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
    RemoteBuffer buffer(list, sizeof(LVITEMA) + kTextRoom);
    if (!buffer.Ready()) return kConditionFailed;
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < columns; ++column) line += (column ? "\t" : "") + ItemText(list, buffer, row, column);
        PrintText(line);
    }
    return kSuccess;
}

int SelectRow(const DriverContext& context, const CommandArgs& args) {
    HWND list = TargetControl(context, args[0]);
    const std::optional<long> row = ParseNumber(args[1]);
    if (list == nullptr) return kNoWindow;
    if (!row) return kUsageError;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = item.stateMask;
    RemoteBuffer buffer(list, sizeof item);
    if (!buffer.Ready() || !buffer.Write(0, &item, sizeof item)) return kConditionFailed;
    return Ask(list, LVM_SETITEMSTATE, static_cast<WPARAM>(*row), reinterpret_cast<LPARAM>(buffer.At(0)))
               ? kSuccess
               : kConditionFailed;
}

// A click on a column's header, as the mouse gives it.
int HeaderClick(const DriverContext& context, const CommandArgs& args) {
    HWND list = TargetControl(context, args[0]);
    const std::optional<long> column = ParseNumber(args[1]);
    if (list == nullptr) return kNoWindow;
    if (!column) return kUsageError;
    HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER, 0, 0));
    RECT rect = {};
    RemoteBuffer buffer(header, sizeof rect);
    if (!buffer.Ready() || !Ask(header, HDM_GETITEMRECT, static_cast<WPARAM>(*column), reinterpret_cast<LPARAM>(buffer.At(0))) ||
        !buffer.Read(0, &rect, sizeof rect)) {
        return kConditionFailed;
    }
    const LPARAM where = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    const bool posted = PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, where) && PostMessageA(header, WM_LBUTTONUP, 0, where);
    return posted ? kSuccess : kConditionFailed;
}

int Clipboard(const DriverContext&, const CommandArgs&) {
    if (!OpenClipboard(nullptr)) return kConditionFailed;
    const HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) PrintText(text);
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    return text != nullptr ? kSuccess : kConditionFailed;
}

HWND VisibleBalloon() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            const bool balloon = ClassNameOf(window) == TOOLTIPS_CLASSA && IsWindowVisible(window) &&
                                 (GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) != 0;
            if (balloon) *reinterpret_cast<HWND*>(result) = window;
            return !balloon;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The balloon's text (its title is the tooltip's and not read back).
std::string BalloonText(HWND balloon) {
    RemoteBuffer buffer(balloon, sizeof(TOOLINFOW) + kTextRoom * sizeof(wchar_t));
    TOOLINFOW info = {};
    info.cbSize = sizeof info;
    if (!buffer.Ready() || !buffer.Write(0, &info, sizeof info)) return "";
    Ask(balloon, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(buffer.At(0)));
    buffer.Read(0, &info, sizeof info);
    info.lpszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof info));
    buffer.Write(0, &info, sizeof info);
    Ask(balloon, TTM_GETTEXTW, kTextRoom, reinterpret_cast<LPARAM>(buffer.At(0)));
    wchar_t text[kTextRoom] = {};
    buffer.Read(sizeof info, text, sizeof text - sizeof(wchar_t));
    char narrow[2 * kTextRoom] = {};
    std::snprintf(narrow, sizeof narrow, "%ls", text);
    return narrow;
}

// Waits for a balloon to show (1) or for none to show within the time (0).
int WaitBalloon(const DriverContext&, const CommandArgs& args) {
    const std::optional<long> wanted = ParseNumber(args[0]);
    const std::optional<DWORD> ms = Milliseconds(args[1]);
    if (!wanted || !ms) return kUsageError;
    const DWORD start = GetTickCount();
    do {
        if (HWND balloon = VisibleBalloon()) {
            if (*wanted == 0) return kConditionFailed;
            PrintText(BalloonText(balloon));
            return kSuccess;
        }
        Sleep(50);
    } while (GetTickCount() - start < *ms);
    return *wanted == 0 ? kSuccess : kConditionFailed;
}

}  // namespace

std::vector<DriverCommand> ListViewCommands() {
    return {
        {"list-rows", "ID", 1, 1, ListRows},
        {"list-select", "ID ROW", 2, 2, SelectRow},
        {"header-click", "ID COLUMN", 2, 2, HeaderClick},
        {"clipboard", "", 0, 0, Clipboard},
        {"wait-balloon", "1|0 MS", 2, 2, WaitBalloon},
    };
}
