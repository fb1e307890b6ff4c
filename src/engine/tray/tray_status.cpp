#include "tray/tray_status.h"

#include <utility>

#include "tray/tray_texts.h"

namespace {

TrayImage ImageOf(WatchState state) {
    switch (state) {
    case WatchState::Watching: return TrayImage::Watching;
    case WatchState::Blind: return TrayImage::Blind;
    case WatchState::Idle: break;
    }
    return TrayImage::Idle;
}

}  // namespace

TrayStatus::TrayStatus(TrayPort& tray, TrayAnimation& animation, SystemPort& clock, const Options& options,
                       std::function<std::uint64_t()> attemptsToday)
    : tray_(tray), animation_(animation), clock_(clock), options_(options), attemptsToday_(std::move(attemptsToday)) {}

void TrayStatus::Start(bool firstRun) {
    started_ = true;
    welcomeDue_ = firstRun;
    Refresh();
    ShowWelcomeWhenDue();
}

void TrayStatus::OnIconAdded() {
    iconAdded_ = true;
    ShowWelcomeWhenDue();
}

// Once, and only where the user can see where it points.
void TrayStatus::ShowWelcomeWhenDue() {
    if (!welcomeDue_ || !iconAdded_) return;
    welcomeDue_ = false;
    tray_.ShowBalloon(std::string(kWatchBalloonTitle), std::string(kFirstRunBalloonText), BalloonKind::Notice);
}

void TrayStatus::OnSessionRunning(bool running) {
    Apply(running ? watch_.SessionStarted() : watch_.SessionStopped());
}

void TrayStatus::OnPollEnded(PollResult result) { Apply(watch_.PollEnded(result, clock_.CurrentTime())); }

void TrayStatus::OnSyslogReceiver(SyslogState receiver) {
    Apply(watch_.SyslogChanged(receiver, clock_.CurrentTime()));
}

void TrayStatus::Apply(WatchBalloon balloon) {
    Refresh();
    if (balloon == WatchBalloon::None || !options_.popupOnTrouble) return;
    const std::string title(kWatchBalloonTitle);
    if (balloon == WatchBalloon::LostRouter) {
        tray_.ShowBalloon(title, LostRouterBalloonText(watch_.Report(), options_.routerAddress), BalloonKind::Trouble);
    } else {
        tray_.ShowBalloon(title, std::string(kRouterAgainBalloonText), BalloonKind::Notice);
    }
}

void TrayStatus::Refresh() {
    // Before the options are loaded there is no address to name.
    if (!started_) return;
    const WatchReport report = watch_.Report();
    const TrayImage image = ImageOf(report.state);
    if (image_ != image) {
        image_ = image;
        animation_.RestOn(image);
    }
    std::string tip = TrayTipText(report, options_.routerAddress, attemptsToday_());
    if (tip != tip_) {
        tip_ = std::move(tip);
        tray_.SetTip(tip_);
    }
}
