#pragma once
#include <windows.h>

#include "window_port.h"

class MainWindowEngine;

// The "Router Status" window: a top-level modeless dialog of its own,
// hidden until the main window's IDC_SHOW_STATUS shows it.
class RouterStatusDialog : public WindowPort {
public:
    // The engine is known after the window objects exist; it is set before the window is created.
    void SetEngine(MainWindowEngine& engine) { engine_ = &engine; }
    // False when the window cannot be created (the user was told).
    bool Create(HINSTANCE instance);
    HWND Window() const { return window_; }

    bool Exists() override { return window_ != nullptr; }
    void Show(bool makeForeground) override;
    void Hide() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam);

    MainWindowEngine* engine_ = nullptr;
    HWND window_ = nullptr;
};
