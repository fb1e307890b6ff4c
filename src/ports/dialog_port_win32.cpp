#include "dialog_port_win32.h"

#include <vector>

#include "message_box_win32.h"

HWND Win32DialogPort::Control(int controlId) const {
    const HWND dialog = dialog_;
    return dialog == nullptr ? nullptr : GetDlgItem(dialog, controlId);
}

std::string Win32DialogPort::GetText(int controlId) {
    const HWND control = Control(controlId);
    if (control == nullptr) return std::string();
    const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    // The text may have shrunk since its length was asked: the copy's count decides.
    const LRESULT copied =
        SendMessageA(control, WM_GETTEXT, static_cast<WPARAM>(buffer.size()), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void Win32DialogPort::SetText(int controlId, const std::string& text) {
    const HWND control = Control(controlId);
    if (control != nullptr) SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogPort::AppendText(int controlId, const std::string& text) {
    const HWND control = Control(controlId);
    if (control == nullptr) return;
    const auto end = static_cast<WPARAM>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
    SendMessageA(control, EM_SETSEL, end, static_cast<LPARAM>(end));
    // FALSE: no undo copy of the growing text.
    SendMessageA(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

unsigned Win32DialogPort::GetCheckState(int controlId) {
    const HWND control = Control(controlId);
    if (control == nullptr) return 0;
    return static_cast<unsigned>(SendMessageA(control, BM_GETCHECK, 0, 0));
}

void Win32DialogPort::SetCheckState(int controlId, unsigned state) {
    const HWND control = Control(controlId);
    if (control != nullptr) SendMessageA(control, BM_SETCHECK, state, 0);
}

void Win32DialogPort::ScrollLines(int controlId, int lines) {
    const HWND control = Control(controlId);
    if (control != nullptr) SendMessageA(control, EM_LINESCROLL, 0, lines);
}

void Win32DialogPort::SetVisible(int controlId, bool visible) {
    const HWND control = Control(controlId);
    if (control != nullptr) ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

HWND Win32DialogPort::MessageOwner() const {
    const HWND dialog = dialog_;
    // A box owned by a window of another thread would tie the two threads' input together.
    if (dialog == nullptr || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return nullptr;
    return dialog;
}

MessageAnswer Win32DialogPort::ShowMessage(const std::string& text, MessageButtons buttons) {
    return ShowApplicationMessage(MessageOwner(), text, buttons);
}
