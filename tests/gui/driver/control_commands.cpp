// The controls of one of the program's windows, by id.
#include <cstdio>

#include "driver_command.h"
#include "program_windows.h"
#include "wait_until.h"

namespace {

// How wait-text compares the control's text with the expected one.
bool TextMatches(const std::string& mode, const std::string& text, const std::string& expected) {
    if (mode == "is") return text == expected;
    if (mode == "isnot") return text != expected;
    if (mode == "has") return text.find(expected) != std::string::npos;
    if (mode == "lacks") return text.find(expected) == std::string::npos;
    if (mode == "starts") return text.starts_with(expected);
    return false;
}

bool KnownMatchMode(const std::string& mode) {
    return mode == "is" || mode == "isnot" || mode == "has" || mode == "lacks" || mode == "starts";
}

int GetText(const DriverContext& context, const CommandArgs& args) {
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    PrintText(WindowText(control));
    return kSuccess;
}

// WM_SETTEXT, so the program sees the change notification as for typing.
int SetText(const DriverContext& context, const CommandArgs& args) {
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    return SetWindowTextOf(control, args[1]) ? kSuccess : kConditionFailed;
}

int WaitText(const DriverContext& context, const CommandArgs& args) {
    const std::string& mode = args[1];
    std::optional<DWORD> timeout = Milliseconds(args[3]);
    if (!KnownMatchMode(mode) || !timeout) return kUsageError;
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    std::string text;
    const bool matched = WaitUntil(*timeout, [&] {
        text = WindowText(control);
        return TextMatches(mode, text, args[2]);
    });
    // The last text seen tells a failing scenario what was there instead.
    PrintText(text);
    return matched ? kSuccess : kConditionFailed;
}

// The selection of an edit box and the text it covers.
int GetSelection(const DriverContext& context, const CommandArgs& args) {
    HWND edit = TargetControl(context, args[0]);
    if (edit == nullptr) return kNoWindow;
    DWORD_PTR packed = 0;
    if (!SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, kRequestTimeoutMs, &packed)) return kConditionFailed;
    const std::size_t start = LOWORD(packed);
    const std::size_t end = HIWORD(packed);
    const std::string text = WindowText(edit);
    std::printf("%zu %zu\n", start, end);
    PrintText(start <= end && end <= text.size() ? text.substr(start, end - start) : std::string());
    return kSuccess;
}

LRESULT CheckState(HWND control) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kRequestTimeoutMs, &state);
    return static_cast<LRESULT>(state);
}

int GetCheck(const DriverContext& context, const CommandArgs& args) {
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    std::printf("%ld\n", static_cast<long>(CheckState(control)));
    return kSuccess;
}

// Sets the state without a click: the program is not told, as when its own
// code sets a box.
int SetCheck(const DriverContext& context, const CommandArgs& args) {
    std::optional<long> state = ParseNumber(args[1]);
    if (!state) return kUsageError;
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control, BM_SETCHECK, static_cast<WPARAM>(*state), 0, SMTO_NORMAL, kRequestTimeoutMs, &result))
        return kConditionFailed;
    return CheckState(control) == *state ? kSuccess : kConditionFailed;
}

// Posted, so that a message box the click opens cannot block the driver, and
// the click passes the program's message loop as a real one does.
int Click(const DriverContext& context, const CommandArgs& args) {
    HWND control = TargetControl(context, args[0]);
    if (control == nullptr) return kNoWindow;
    return PostMessageA(control, BM_CLICK, 0, 0) ? kSuccess : kConditionFailed;
}

// A command as a menu or accelerator sends it: WM_COMMAND with no control.
int Command(const DriverContext& context, const CommandArgs& args) {
    std::optional<long> id = ParseNumber(args[0]);
    if (!id) return kUsageError;
    HWND window = TargetWindow(context);
    if (window == nullptr) return kNoWindow;
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(*id, 0), 0) ? kSuccess : kConditionFailed;
}

std::optional<WPARAM> VirtualKeyNamed(const std::string& name) {
    if (name == "escape") return VK_ESCAPE;
    if (name == "enter") return VK_RETURN;
    if (name == "tab") return VK_TAB;
    std::optional<long> code = ParseNumber(name);
    if (code && *code > 0 && *code < 256) return static_cast<WPARAM>(*code);
    return std::nullopt;
}

// A key press posted to the window (or one of its controls), where the
// program's dialog navigation picks it up.
int Key(const DriverContext& context, const CommandArgs& args) {
    std::optional<WPARAM> key = VirtualKeyNamed(args[0]);
    if (!key) return kUsageError;
    HWND target = TargetControl(context, args.size() > 1 ? args[1] : "0");
    if (target == nullptr) return kNoWindow;
    // Repeat count 1 and the scan code; a release also has its previous-state and transition bits.
    const DWORD scan = MapVirtualKeyA(static_cast<UINT>(*key), MAPVK_VK_TO_VSC) << 16;
    const DWORD press = scan | 1u;
    const DWORD release = press | 0xC0000000u;
    const bool posted = PostMessageA(target, WM_KEYDOWN, *key, static_cast<LPARAM>(press)) &&
                        PostMessageA(target, WM_KEYUP, *key, static_cast<LPARAM>(release));
    return posted ? kSuccess : kConditionFailed;
}

}  // namespace

std::vector<DriverCommand> ControlCommands() {
    return {
        {"get-text", "ID", 1, 1, GetText},
        {"set-text", "ID TEXT", 2, 2, SetText},
        {"wait-text", "ID is|isnot|has|lacks|starts TEXT MS", 4, 4, WaitText},
        {"get-sel", "ID", 1, 1, GetSelection},
        {"get-check", "ID", 1, 1, GetCheck},
        {"set-check", "ID STATE", 2, 2, SetCheck},
        {"click", "ID", 1, 1, Click},
        {"command", "ID", 1, 1, Command},
        {"key", "escape|enter|tab|VK [ID]", 1, 2, Key},
    };
}
