#pragma once
#include <functional>
#include <string>

#include "monitor_context.h"
#include "logupdate/intrusion_alerts.h"
#include "monitor/tray_animation.h"

// What the session asks of the windows around it.
class SessionShell {
public:
    virtual ~SessionShell() = default;
    // Plays (true) or rests (false) the animation of the main window.
    virtual void SetSessionAnimation(bool play) = 0;
    // Refreshes the Router Status window; called after each poll while it is meant to be shown.
    virtual void RefreshRouterStatus() = 0;
    // Keeps the remembered time; called on the poll's thread when an update changed it.
    virtual void LastDateChanged() = 0;
};

// The polling engine of the main window: start/stop, the timer, polls on
// worker threads, "Get it Now" and the forced logout.
class SessionController {
public:
    SessionController(MonitorContext& context, IntrusionAlerts& alerts, TrayPort& tray, SessionShell& shell);

    void ToggleSession();
    void OnSessionTick();
    void PollNow();
    void ForceLogout();

    // One poll, on the calling thread. pollBusy must already be claimed.
    void PollRouter();

private:
    bool StartPoll();
    bool PollIsDue(std::uint32_t now);
    void FetchAndShowLogPage(const std::string& address);
    void ShowOrProcess(const std::string& response);
    void FinishPoll();
    // The forced logout's exchange, on a worker; pollBusy is already claimed.
    void LogOutOfRouter();
    // Runs a router exchange; a failure inside a port ends up on the log screen.
    void ReportFailure(const std::function<void()>& exchange);
    void ShowOnStatusLine(const std::string& text);
    void ShowOnLogScreen(const std::string& text);
    const char* IdleStatusText() const;

    MonitorContext& context_;
    IntrusionAlerts& alerts_;
    TrayPort& tray_;
    SessionShell& shell_;
};
