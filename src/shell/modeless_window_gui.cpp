#include "modeless_window_gui.h"

#include "control_event_gui.h"
#include "modeless_dialog_gui.h"

bool ModelessWindow::Create(HINSTANCE instance) {
    window_ = CreateHiddenDialog(instance, templateId_, DialogProc, this, cannotCreateText_);
    return window_ != nullptr;
}

void ModelessWindow::Show(bool makeForeground) {
    ShowWindow(window_, SW_SHOW);
    if (makeForeground) SetForegroundWindow(window_);
}

void ModelessWindow::Hide() { ShowWindow(window_, SW_HIDE); }

INT_PTR CALLBACK ModelessWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = DialogOwner<ModelessWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) return TRUE;
    if (self == nullptr || !self->handler_) return FALSE;
    switch (message) {
    case WM_COMMAND: self->handler_(LOWORD(wParam), ControlEventOf(HIWORD(wParam))); return TRUE;
    case WM_CLOSE: self->handler_(kCancelCommand, ControlEvent::Clicked); return TRUE;
    default: return FALSE;
    }
}
