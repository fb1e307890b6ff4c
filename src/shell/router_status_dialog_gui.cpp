#include "router_status_dialog_gui.h"

#include "modeless_dialog_gui.h"
#include "mainwindow/main_window_engine.h"
#include "resource_ids.h"

namespace {

constexpr char kCannotCreateText[] = "Error creating Status Modeless";

}  // namespace

bool RouterStatusDialog::Create(HINSTANCE instance) {
    window_ = CreateHiddenDialog(instance, IDD_ROUTER_STATUS, DialogProc, this, kCannotCreateText);
    return window_ != nullptr;
}

void RouterStatusDialog::Show(bool makeForeground) {
    ShowWindow(window_, SW_SHOW);
    if (makeForeground) SetForegroundWindow(window_);
}

void RouterStatusDialog::Hide() { ShowWindow(window_, SW_HIDE); }

INT_PTR CALLBACK RouterStatusDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = DialogOwner<RouterStatusDialog>(window, message, lParam);
    if (message == WM_INITDIALOG) return TRUE;
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
