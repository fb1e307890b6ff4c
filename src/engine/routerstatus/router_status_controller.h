#pragma once
#include <string>

#include "common/message_boxes.h"
#include "dialog_port.h"
#include "options/options.h"
#include "router/status_page_parser.h"
#include "window_port.h"
#include "system_port.h"

// The Router Status window's behaviour, and the main window's button that
// shows and hides it. One fetch of the status page at a time, on a worker
// that posts what it learns back. GUI thread.
class RouterStatusController {
public:
    RouterStatusController(DialogPort& mainDialog, DialogPort& statusDialog, WindowPort& window,
                           SystemPort& system, MessageBoxes& boxes, const Options& options);

    // Fetches the status page; asked while a fetch runs, it fetches once more after it.
    void Refresh();
    // IDC_SHOW_STATUS: show with a fetch, or hide.
    void ToggleFromButton();
    // Close button, close box, system menu Close and Escape.
    void Close();
    // The main window is hidden: the status window goes too, and comes back with it.
    void HideWithMainWindow();
    void ShowWithMainWindow(bool makeForeground);
    // The status window is meant to be visible.
    bool Shown() const { return shown_; }
    // The WAN type of the latest log page.
    void SetWanType(std::string wanType) { wanType_ = std::move(wanType); }

private:
    void Fetch(const std::string& address);
    void FinishFetch();
    void ShowMessage(const std::string& text);
    void ShowCannotConnect();
    void ShowStatus(const RouterStatus& status);
    void SetButtonCaption();

    DialogPort& mainDialog_;
    DialogPort& statusDialog_;
    WindowPort& window_;
    SystemPort& system_;
    MessageBoxes& boxes_;
    const Options& options_;

    bool shown_ = false;
    bool fetching_ = false;
    bool fetchAgain_ = false;
    std::string wanType_;
};
