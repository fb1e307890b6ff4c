#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "alerts/tray_animation.h"
#include "options/options.h"
#include "system_port.h"
#include "tray/watch_tracker.h"
#include "tray_port.h"

// What the tray icon tells of Vorlane's watch over the router: the image it
// rests on (the alert blinks over it), the tip, and a balloon at the changes
// that matter. Fed by the session, the syslog receiver and the Intruders
// table. GUI thread.
class TrayStatus {
public:
    TrayStatus(TrayPort& tray, TrayAnimation& animation, SystemPort& clock, const Options& options,
               std::function<std::uint64_t()> attemptsToday);

    // Once the options are loaded; firstRun when none were stored.
    void Start(bool firstRun);
    // The icon went into the notification area: the first run's balloon waits for it.
    void OnIconAdded();
    void OnSessionRunning(bool running);
    void OnPollEnded(PollResult result);
    // The syslog receiver's state; Off while the program has none.
    void OnSyslogReceiver(SyslogState receiver);
    // Works the tip out again: the day's attempts, the day itself or the
    // router's address may have changed.
    void Refresh();

private:
    void Apply(WatchBalloon balloon);
    void ShowWelcomeWhenDue();

    TrayPort& tray_;
    TrayAnimation& animation_;
    SystemPort& clock_;
    const Options& options_;
    std::function<std::uint64_t()> attemptsToday_;

    WatchTracker watch_;
    std::optional<TrayImage> image_;
    std::string tip_;
    bool started_ = false;
    bool iconAdded_ = false;
    bool welcomeDue_ = false;
};
