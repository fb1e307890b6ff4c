#pragma once
#include <string>

#include "dialog_port.h"
#include "system_port.h"

// The log screen IDC_LOG_SCREEN. What it shows is kept here as well, so that
// nothing reads it back from the control. GUI thread.
class LogScreen {
public:
    LogScreen(DialogPort& mainDialog, SystemPort& system) : mainDialog_(mainDialog), system_(system) {}

    const std::string& Text() const { return text_; }
    // The screen as the next update sees it: one grown past its limit starts
    // over, empty, at that update.
    std::string TextForUpdate() const;
    // A notice, an error text or nothing in place of everything shown.
    void Replace(std::string text);
    // Lines after what the screen shows, scrolled into view; a notice, or a
    // screen past its limit, gives way to them. Of a large update the screen
    // shows the newest lines. The control takes them in over a few steps of
    // the GUI thread. True when the screen started over.
    bool Append(const std::string& lines);
    // Empties a screen grown past its limit, as an update starts.
    void StartUpdate();

private:
    void TakeNextStep();

    DialogPort& mainDialog_;
    SystemPort& system_;
    std::string text_;
    // Shown text the control has still to take in.
    std::string waiting_;
    bool stepPosted_ = false;
};
