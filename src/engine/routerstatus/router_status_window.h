#pragma once
#include <string>

#include "dialog_port.h"
#include "monitor_state.h"
#include "router_status_window_port.h"
#include "system_port.h"

void SetRouterStatusMessage(DialogPort& statusDialog, const std::string& text);
void ClearRouterStatusFields(DialogPort& statusDialog);
// Fills the window from a status page that is not an error text.
void ApplyStatusPage(DialogPort& statusDialog, const std::string& page, const std::string& wanType);
// One fetch of the status page, on the calling thread, with its own connection.
void FetchRouterStatus(AppSharedValues& app, DialogPort& statusDialog);

// The Router Status window's behaviour, shared by the main window and the tray.
class RouterStatusController {
public:
    RouterStatusController(AppSharedValues& app, DialogPort& mainDialog, DialogPort& statusDialog,
                           RouterStatusWindowPort& window, SystemPort& system);

    // Starts a fetch on a worker thread of its own and returns at once.
    void RefreshRouterStatus();
    // Button 1032: show with a fetch, or hide.
    void ToggleFromButton();
    // Close button, close box, system menu Close and Escape.
    void Close();
    // The main window is hidden: the status window goes too, statusShown stays.
    void HideWithMainWindow();
    // The main window is restored from the tray.
    void ShowWithMainWindow(bool makeForeground);

private:
    AppSharedValues& app_;
    DialogPort& mainDialog_;
    DialogPort& statusDialog_;
    RouterStatusWindowPort& window_;
    SystemPort& system_;
};
