#pragma once
#include <string>

#include "app/dialog_port.h"
#include "app/monitor_state.h"
#include "app/system_port.h"

// The Router Status window as a whole (its controls go through a DialogPort).
class StatusWindowPort {
public:
    virtual ~StatusWindowPort() = default;
    // False when the window could not be created; nothing then acts on it.
    virtual bool Exists() = 0;
    virtual void Show(bool makeForeground) = 0;
    virtual void Hide() = 0;
};

void SetStatusLine(DialogPort& statusDialog, const std::string& text);
void ClearStatusFields(DialogPort& statusDialog);
// Fills the window from a status page that is not an error text.
void ApplyStatusPage(DialogPort& statusDialog, const std::string& page, const std::string& wanType);
// One fetch of the status page, on the calling thread, with its own connection.
void FetchRouterStatus(AppSharedValues& app, DialogPort& statusDialog);

// The Router Status window's behaviour, shared by the main window and the tray.
class RouterStatusController {
public:
    RouterStatusController(AppSharedValues& app, DialogPort& mainDialog, DialogPort& statusDialog,
                           StatusWindowPort& window, SystemPort& system);

    // Starts a fetch on a worker thread of its own and returns at once.
    void RefreshStatus();
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
    StatusWindowPort& window_;
    SystemPort& system_;
};
