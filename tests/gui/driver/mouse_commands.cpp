// Mouse input as the program receives it: the tray icon's callback message
// and clicks on a control, both through the program's message loop.
#include "driver_command.h"

#include <shellapi.h>

#include <cstdio>

#include "program_windows.h"

namespace {

std::optional<LPARAM> TrayMouseMessage(const std::string& event) {
    if (event == "dblclk") return WM_LBUTTONDBLCLK;
    if (event == "down") return WM_LBUTTONDOWN;
    if (event == "up") return WM_LBUTTONUP;
    if (event == "rdown") return WM_RBUTTONDOWN;
    if (event == "balloonclick") return NIN_BALLOONUSERCLICK;
    if (event == "autostart") return 0;
    return std::nullopt;
}

int Tray(const DriverContext&, const CommandArgs& args) {
    std::optional<LPARAM> mouse = TrayMouseMessage(args[0]);
    std::optional<long> iconId = args.size() > 1 ? ParseNumber(args[1]) : std::optional<long>(TRAY_ICON_ID);
    if (!mouse || !iconId) return kUsageError;
    HWND main = FindMainWindow();
    if (main == nullptr) return kNoWindow;
    const WPARAM target = args[0] == "autostart" ? AUTO_START_REQUEST : static_cast<WPARAM>(*iconId);
    return PostMessageA(main, WM_TRAY_CALLBACK, target, *mouse) ? kSuccess : kConditionFailed;
}

// Client position of a character of an edit box, scrolled into view first.
std::optional<POINT> CharacterPosition(HWND edit, std::size_t index) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, EM_SETSEL, index, index, SMTO_NORMAL, kRequestTimeoutMs, &ignored);
    SendMessageTimeoutA(edit, EM_SCROLLCARET, 0, 0, SMTO_NORMAL, kRequestTimeoutMs, &ignored);
    DWORD_PTR packed = 0;
    if (!SendMessageTimeoutA(edit, EM_POSFROMCHAR, index, 0, SMTO_NORMAL, kRequestTimeoutMs, &packed)) return std::nullopt;
    const POINT at{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
    RECT client = {};
    GetClientRect(edit, &client);
    if (!PtInRect(&client, at)) return std::nullopt;
    return at;
}

// A double-click in the middle of the first occurrence of TEXT, as the mouse
// sends it: down, up, double-click, up, posted so they pass the program's
// message loop and its look at every message.
int DoubleClickText(const DriverContext& context, const CommandArgs& args) {
    HWND edit = TargetControl(context, args[0]);
    if (edit == nullptr) return kNoWindow;
    const std::string& wanted = args[1];
    const std::size_t found = WindowText(edit).find(wanted);
    if (wanted.empty() || found == std::string::npos) {
        std::fprintf(stderr, "guidriver: \"%s\" is not in control %s\n", wanted.c_str(), args[0].c_str());
        return kConditionFailed;
    }
    std::optional<POINT> at = CharacterPosition(edit, found + wanted.size() / 2);
    if (!at) {
        std::fputs("guidriver: the text is not in view\n", stderr);
        return kConditionFailed;
    }
    // Inside the character cell, not on its left edge or top line.
    const LPARAM where = MAKELPARAM(at->x + 2, at->y + 4);
    const bool posted = PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, where) && PostMessageA(edit, WM_LBUTTONUP, 0, where) &&
                        PostMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, where) && PostMessageA(edit, WM_LBUTTONUP, 0, where);
    return posted ? kSuccess : kConditionFailed;
}

// A left click in the middle of a control, e.g. to put the focus into an edit box.
int MouseClick(const DriverContext& context, const CommandArgs& args) {
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    RECT client = {};
    GetClientRect(control, &client);
    const LPARAM where = MAKELPARAM(client.right / 2, client.bottom / 2);
    const bool posted = PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, where) && PostMessageA(control, WM_LBUTTONUP, 0, where);
    return posted ? kSuccess : kConditionFailed;
}

// A click on a control that lets the mouse through (the animation): the
// window under it gets the click, at the control's middle.
int ClickThrough(const DriverContext& context, const CommandArgs& args) {
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    HWND parent = GetParent(control);
    RECT area = {};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    const LPARAM where = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    const bool posted = PostMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, where) && PostMessageA(parent, WM_LBUTTONUP, 0, where);
    return posted ? kSuccess : kConditionFailed;
}

}  // namespace

std::vector<DriverCommand> MouseCommands() {
    return {
        {"tray", "dblclk|down|up|rdown|balloonclick|autostart [ICON_ID]", 1, 2, Tray},
        {"dblclick-text", "ID TEXT", 2, 2, DoubleClickText},
        {"mouse-click", "ID", 1, 1, MouseClick},
        {"click-through", "ID", 1, 1, ClickThrough},
    };
}
