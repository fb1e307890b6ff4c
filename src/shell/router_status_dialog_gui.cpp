#include "router_status_dialog_gui.h"

#include "message_box_win32.h"
#include "resource_ids.h"
#include "monitor/monitor_engine.h"

namespace {

constexpr char kCannotCreateText[] = "Error creating Status Modeless";

}  // namespace

bool RouterStatusDialog::Create(HINSTANCE instance) {
    window_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_ROUTER_STATUS), nullptr, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) {
        ShowApplicationMessage(nullptr, kCannotCreateText, MessageButtons::Ok);
        return false;
    }
    ShowWindow(window_, SW_HIDE);
    return true;
}

void RouterStatusDialog::Show(bool makeForeground) {
    ShowWindow(window_, SW_SHOW);
    if (makeForeground) SetForegroundWindow(window_);
}

void RouterStatusDialog::Hide() { ShowWindow(window_, SW_HIDE); }

INT_PTR CALLBACK RouterStatusDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<RouterStatusDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (self == nullptr || self->engine_ == nullptr) return FALSE;
    return self->HandleMessage(message, wParam);
}

INT_PTR RouterStatusDialog::HandleMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        engine_->OnRouterStatusCommand(LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        engine_->OnRouterStatusClosing();
        return TRUE;
    default: return FALSE;
    }
}
