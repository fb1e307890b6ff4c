#pragma once
#include <windows.h>

#include <functional>

#include "common/control_event.h"
#include "window_port.h"

// A top-level modeless window of the program (the Router Status and the
// Syslog window): a dialog of its own, hidden until the engine shows it. Its
// controls' notifications and its close box (as Escape) go to the handler.
class ModelessWindow : public WindowPort {
public:
    using CommandHandler = std::function<void(int controlId, ControlEvent event)>;

    ModelessWindow(int templateId, const char* cannotCreateText)
        : templateId_(templateId), cannotCreateText_(cannotCreateText) {}

    // Set before the window is created.
    void SetHandler(CommandHandler handler) { handler_ = std::move(handler); }
    // False when the window cannot be created (the user was told).
    bool Create(HINSTANCE instance);
    HWND Window() const { return window_; }

    bool Exists() override { return window_ != nullptr; }
    void Show(bool makeForeground) override;
    void Hide() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const int templateId_;
    const char* const cannotCreateText_;
    CommandHandler handler_;
    HWND window_ = nullptr;
};
