#include "modeless_dialog_gui.h"

#include "message_box_win32.h"

HWND CreateHiddenDialog(HINSTANCE instance, int templateId, DLGPROC procedure, void* owner, const char* failureText) {
    const HWND window =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), nullptr, procedure, reinterpret_cast<LPARAM>(owner));
    if (window == nullptr) {
        ShowApplicationMessage(nullptr, failureText, MessageButtons::Ok);
        return nullptr;
    }
    ShowWindow(window, SW_HIDE);
    return window;
}
