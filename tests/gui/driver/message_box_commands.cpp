// The program's message boxes: read them and answer them.
#include <array>
#include <cstdio>

#include "driver_command.h"
#include "program_windows.h"
#include "wait_until.h"

namespace {

struct MessageButton {
    int id;
    const char* name;
};

constexpr std::array<MessageButton, 4> kButtons = {{{IDOK, "OK"}, {IDCANCEL, "Cancel"}, {IDYES, "Yes"}, {IDNO, "No"}}};

struct MessageBoxView {
    std::string caption;
    std::string buttons;  // names of the buttons present, in the order above
    std::string text;
};

BOOL CALLBACK TakeStaticText(HWND child, LPARAM context) {
    auto* text = reinterpret_cast<std::string*>(context);
    if (ClassNameOf(child) == "Static" && text->empty()) *text = WindowText(child);
    return TRUE;
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view{CaptionOf(box), {}, {}};
    for (const MessageButton& button : kButtons) {
        HWND control = GetDlgItem(box, button.id);
        if (control == nullptr || !IsWindowVisible(control)) continue;
        if (!view.buttons.empty()) view.buttons += ' ';
        view.buttons += button.name;
    }
    // The icon is a static without text; the message is the one with text.
    EnumChildWindows(box, TakeStaticText, reinterpret_cast<LPARAM>(&view.text));
    return view;
}

void PrintMessageBox(const MessageBoxView& view) {
    std::printf("caption: %s\nbuttons: %s\n", view.caption.c_str(), view.buttons.c_str());
    std::fputs("text: ", stdout);
    PrintText(view.text);
}

HWND WaitForMessageBox(DWORD timeoutMs) {
    HWND main = FindMainWindow();
    if (main == nullptr) return nullptr;
    const DWORD process = ProcessOf(main);
    HWND box = nullptr;
    WaitUntil(timeoutMs, [&] { return (box = FindMessageBox(process)) != nullptr; });
    return box;
}

int ShowMessageBox(const DriverContext&, const CommandArgs& args) {
    std::optional<DWORD> timeout = Milliseconds(args[0]);
    if (!timeout) return kUsageError;
    HWND box = WaitForMessageBox(*timeout);
    if (box == nullptr) return kConditionFailed;
    PrintMessageBox(ReadMessageBox(box));
    return kSuccess;
}

std::optional<int> ButtonNamed(const std::string& name) {
    for (const MessageButton& button : kButtons)
        if (name == button.name) return button.id;
    return std::nullopt;
}

// Presses the button as a click would, then waits for the box to close.
int Answer(const DriverContext&, const CommandArgs& args) {
    std::optional<int> buttonId = ButtonNamed(args[0]);
    std::optional<DWORD> timeout = Milliseconds(args[1]);
    if (!buttonId || !timeout) return kUsageError;
    HWND box = WaitForMessageBox(*timeout);
    if (box == nullptr) {
        std::fputs("guidriver: no message box\n", stderr);
        return kConditionFailed;
    }
    PrintMessageBox(ReadMessageBox(box));
    HWND button = GetDlgItem(box, *buttonId);
    if (button == nullptr) {
        std::fprintf(stderr, "guidriver: the message box has no %s button\n", args[0].c_str());
        return kConditionFailed;
    }
    PostMessageA(button, BM_CLICK, 0, 0);
    return WaitUntil(*timeout, [&] { return !IsWindow(box); }) ? kSuccess : kConditionFailed;
}

int NoMessageBox(const DriverContext&, const CommandArgs& args) {
    std::optional<DWORD> timeout = Milliseconds(args[0]);
    if (!timeout) return kUsageError;
    HWND box = WaitForMessageBox(*timeout);
    if (box == nullptr) return kSuccess;
    PrintMessageBox(ReadMessageBox(box));
    return kConditionFailed;
}

}  // namespace

std::vector<DriverCommand> MessageBoxCommands() {
    return {
        {"msgbox", "MS", 1, 1, ShowMessageBox},
        {"answer", "Yes|No|OK|Cancel MS", 2, 2, Answer},
        {"no-msgbox", "MS", 1, 1, NoMessageBox},
    };
}
