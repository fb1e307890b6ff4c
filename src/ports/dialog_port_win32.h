#pragma once
#include <windows.h>

#include <atomic>

#include "dialog_port.h"

// A dialog window's controls through window messages. SendMessage makes the
// window's own thread carry out a request from any other thread.
class Win32DialogPort : public DialogPort {
public:
    Win32DialogPort() = default;
    explicit Win32DialogPort(HWND dialog) : dialog_(dialog) {}

    // The window is known only once it is created; set it before workers start.
    void Attach(HWND dialog) { dialog_ = dialog; }
    HWND Window() const { return dialog_; }

    std::string GetText(int controlId) override;
    void SetText(int controlId, const std::string& text) override;
    void AppendText(int controlId, const std::string& text) override;
    unsigned GetCheckState(int controlId) override;
    void SetCheckState(int controlId, unsigned state) override;
    void ScrollLines(int controlId, int lines) override;
    void SetVisible(int controlId, bool visible) override;
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) override;

private:
    HWND Control(int controlId) const;
    HWND MessageOwner() const;

    std::atomic<HWND> dialog_{nullptr};
};
