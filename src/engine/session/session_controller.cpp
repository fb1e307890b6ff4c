#include "session/session_controller.h"

#include <algorithm>
#include <exception>
#include <functional>

#include "logpage/authorization_check.h"
#include "logupdate/log_page_processor.h"
#include "notice_text.h"
#include "router/router_requests.h"
#include "logupdate/status_line.h"
#include "resource_ids.h"
#include "session/router_http_client.h"
#include "session/session_texts.h"

namespace {

constexpr char kPollFailedText[] = "*** Error: ";

// The refresh rate box holds seconds; its leading digits count, 0 means no schedule.
std::uint32_t RefreshIntervalMs(const std::string& text) {
    std::uint64_t seconds = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        seconds = std::min<std::uint64_t>(seconds * 10 + static_cast<std::uint64_t>(c - '0'), UINT32_MAX);
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(seconds * 1000, UINT32_MAX));
}

// Releases pollBusy however the exchange ends, or no poll would ever run
// again. A poll's end is also stamped, which schedules the next poll.
class PollBusyRelease {
public:
    PollBusyRelease(MonitorState& state, SystemPort* pollClock) : state_(state), pollClock_(pollClock) {}
    PollBusyRelease(const PollBusyRelease&) = delete;
    PollBusyRelease& operator=(const PollBusyRelease&) = delete;
    ~PollBusyRelease() {
        if (pollClock_ != nullptr) state_.lastPollEnd = pollClock_->TickCount();
        state_.pollBusy = false;
    }

private:
    MonitorState& state_;
    SystemPort* pollClock_;
};

}  // namespace

SessionController::SessionController(MonitorContext& context, IntrusionAlerts& alerts, TrayPort& tray,
                                     SessionShell& shell)
    : context_(context), alerts_(alerts), tray_(tray), shell_(shell) {}

void SessionController::ToggleSession() {
    MonitorState& state = context_.state;
    if (state.sessionRunning) {
        context_.dialog.SetText(IDC_START_STOP, kStartSessionCaption);
        state.sessionRunning = false;
        state.stopRequested = true;
        ShowOnStatusLine(kStatusStopped);
        shell_.SetSessionAnimation(false);
        return;
    }
    context_.dialog.SetText(IDC_START_STOP, kStopSessionCaption);
    state.sessionRunning = true;
    context_.system.StartTimer(SESSION_TIMER_ID, SESSION_TIMER_PERIOD_MS);
    state.stopRequested = false;
    ShowOnStatusLine(kStatusWaiting);
    shell_.SetSessionAnimation(true);
}

void SessionController::OnSessionTick() {
    MonitorState& state = context_.state;
    if (state.sessionRunning && !state.pollBusy) {
        const std::uint32_t now = context_.system.TickCount();
        if (state.lastPollEnd == 0) {
            state.lastPollEnd = now;
            StartPoll();
        } else if (PollIsDue(now)) {
            StartPoll();
        }
    }
    // A stopped session still lets a running alert blink to its end.
    if (state.animating) AdvanceTrayAnimation(state, context_.dialog, tray_);
    if (state.stopRequested && !state.animating && !state.pollBusy) context_.system.KillTimer(SESSION_TIMER_ID);
}

bool SessionController::PollIsDue(std::uint32_t now) {
    const std::string rate = context_.dialog.GetText(IDC_REFRESH_RATE);
    if (rate.empty()) return false;
    const std::uint32_t interval = RefreshIntervalMs(rate);
    return interval != 0 && now - context_.state.lastPollEnd > interval;
}

void SessionController::PollNow() {
    if (!StartPoll()) return;
    // Without a session the timer is off; run it so that an alert of this poll blinks.
    if (!context_.state.sessionRunning) {
        context_.state.stopRequested = true;
        context_.system.StartTimer(SESSION_TIMER_ID, SESSION_TIMER_PERIOD_MS);
    }
}

bool SessionController::StartPoll() {
    // Claiming the flag and deciding to poll are one step.
    if (context_.state.pollBusy.exchange(true)) return false;
    context_.system.StartWorker([this] { PollRouter(); });
    return true;
}

void SessionController::PollRouter() {
    context_.state.pollBusy = true;
    ReportFailure([this] { FetchAndShowLogPage(context_.dialog.GetText(IDC_ROUTER_ADDRESS)); });
    FinishPoll();
}

void SessionController::ReportFailure(const std::function<void()>& exchange) {
    try {
        exchange();
    } catch (const std::exception& failure) {
        ShowOnLogScreen(std::string(kPollFailedText) + failure.what());
    }
}

void SessionController::FetchAndShowLogPage(const std::string& address) {
    MonitorState& state = context_.state;
    RouterHttpClient client(context_.dialog);
    ShowOnStatusLine(kStatusConnecting);
    if (!client.Connect(address)) {
        const int error = RouterHttpClient::LastErrorCode();
        ShowOnLogScreen(kCannotConnectText + context_.system.SystemMessageText(error));
        return;
    }
    ShowOnStatusLine(kStatusGettingContent);
    state.referenceTime = static_cast<std::int32_t>(context_.system.CurrentTime());
    std::string response = client.FetchLogPage(false, "");
    if (IsMovedAnswer(response)) response = kPageMovedText + response;
    state.lastResponse.Set(response);

    if (IsNoticeText(response) || !IsAuthorizationRequired(response)) {
        ShowOrProcess(response);
        return;
    }
    const std::string password = state.routerPassword.Get();
    if (password.empty()) {
        ShowOnLogScreen(kLoginDisabledText);
        return;
    }
    if (!client.Connect(address)) {
        ShowOnLogScreen(kLoginConnectFailedText);
        return;
    }
    ShowOnStatusLine(kStatusLoggingIn);
    response = client.FetchLogPage(true, password);
    state.lastResponse.Set(response);
    ShowOrProcess(response);
}

void SessionController::ShowOrProcess(const std::string& response) {
    if (IsNoticeText(response)) {
        ShowOnLogScreen(response);
        return;
    }
    ShowOnStatusLine(kStatusParsing);
    const std::int32_t lastDate = context_.state.lastDate;
    ProcessLogPage(context_, response, alerts_);
    if (context_.state.lastDate != lastDate) shell_.LastDateChanged();
}

void SessionController::FinishPoll() {
    const PollBusyRelease release(context_.state, &context_.system);
    ShowOnStatusLine(IdleStatusText());
    if (context_.app.statusShown) shell_.RefreshRouterStatus();
}

void SessionController::ForceLogout() {
    MonitorState& state = context_.state;
    if (state.pollBusy) {
        context_.dialog.ShowMessage(kLogoutBusyText, MessageButtons::Ok);
        return;
    }
    if (context_.dialog.ShowMessage(kLogoutQuestionText, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    // The question's own message loop may have let a poll start meanwhile.
    if (state.pollBusy.exchange(true)) {
        context_.dialog.ShowMessage(kLogoutBusyText, MessageButtons::Ok);
        return;
    }
    // A slow router must not freeze the window: the exchange runs on a worker.
    context_.system.StartWorker([this] { LogOutOfRouter(); });
}

void SessionController::LogOutOfRouter() {
    {
        const PollBusyRelease release(context_.state, nullptr);
        ReportFailure([this] {
            RouterHttpClient client(context_.dialog);
            ShowOnStatusLine(kStatusConnecting);
            if (client.Connect(context_.dialog.GetText(IDC_ROUTER_ADDRESS))) {
                ShowOnStatusLine(kStatusLoggingOut);
                client.Logout();
            }
        });
    }
    ShowOnStatusLine(IdleStatusText());
}

const char* SessionController::IdleStatusText() const {
    return context_.state.sessionRunning ? kStatusWaiting : kStatusStopped;
}

void SessionController::ShowOnStatusLine(const std::string& text) { SetStatusLineText(context_, text); }

void SessionController::ShowOnLogScreen(const std::string& text) { context_.dialog.SetText(IDC_LOG_SCREEN, text); }
