#include "syslog_dialog_gui.h"

#include "control_event_gui.h"
#include "mainwindow/main_window_engine.h"
#include "modeless_dialog_gui.h"
#include "resource_ids.h"

namespace {
constexpr char kCannotCreateText[] = "Error creating Syslog window";
}  // namespace

bool SyslogDialog::Create(HINSTANCE instance) {
    window_ = CreateHiddenDialog(instance, IDD_SYSLOG, DialogProc, this, kCannotCreateText);
    return window_ != nullptr;
}

void SyslogDialog::Show(bool makeForeground) {
    ShowWindow(window_, SW_SHOWNORMAL);
    if (makeForeground) SetForegroundWindow(window_);
}

void SyslogDialog::Hide() { ShowWindow(window_, SW_HIDE); }

INT_PTR CALLBACK SyslogDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = DialogOwner<SyslogDialog>(window, message, lParam);
    if (message == WM_INITDIALOG) return TRUE;
    if (self == nullptr || self->engine_ == nullptr) return FALSE;
    switch (message) {
    case WM_COMMAND: self->engine_->OnSyslogCommand(LOWORD(wParam), ControlEventOf(HIWORD(wParam))); return TRUE;
    case WM_CLOSE: self->engine_->OnSyslogCommand(kCancelCommand, ControlEvent::Clicked); return TRUE;
    default: return FALSE;
    }
}
