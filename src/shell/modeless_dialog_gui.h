#pragma once
#include <windows.h>

// A top-level modeless dialog of its own, created hidden; nullptr once the
// user has been told it could not be created. The dialog procedure finds
// its owner again with DialogOwner.
HWND CreateHiddenDialog(HINSTANCE instance, int templateId, DLGPROC procedure, void* owner, const char* failureText);

// The owner given at creation, kept with the window at WM_INITDIALOG;
// nullptr before then.
template <typename Owner>
Owner* DialogOwner(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
    return reinterpret_cast<Owner*>(GetWindowLongPtrA(window, DWLP_USER));
}
