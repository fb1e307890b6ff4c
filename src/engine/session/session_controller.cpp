#include "session/session_controller.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/worker_guard.h"
#include "resource_ids.h"
#include "session/session_texts.h"

namespace {

// The refresh rate holds seconds; its leading digits count, 0 means no schedule.
std::uint32_t RefreshIntervalMs(const std::string& text) {
    std::uint64_t seconds = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        seconds = std::min<std::uint64_t>(seconds * 10 + static_cast<std::uint64_t>(c - '0'), UINT32_MAX);
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(seconds * 1000, UINT32_MAX));
}

}  // namespace

SessionController::SessionController(DialogPort& mainDialog, SystemPort& system, MessageBoxes& boxes,
                                     const Options& options, const LogScreen& screen, TrayAnimation& animation,
                                     SessionListener& listener)
    : mainDialog_(mainDialog),
      system_(system),
      boxes_(boxes),
      options_(options),
      screen_(screen),
      animation_(animation),
      listener_(listener) {}

void SessionController::ToggleSession() {
    if (running_) {
        mainDialog_.SetText(IDC_START_STOP, kStartSessionCaption);
        running_ = false;
        stopRequested_ = true;
        ShowStatus(kStatusStopped);
        listener_.OnSessionRunning(false);
        return;
    }
    mainDialog_.SetText(IDC_START_STOP, kStopSessionCaption);
    running_ = true;
    system_.StartTimer(SESSION_TIMER_ID, SESSION_TIMER_PERIOD_MS);
    stopRequested_ = false;
    ShowStatus(kStatusWaiting);
    listener_.OnSessionRunning(true);
}

void SessionController::OnSessionTick() {
    if (running_ && !pollBusy_) {
        const std::uint32_t now = system_.TickCount();
        if (lastPollEnd_ == 0) {
            lastPollEnd_ = now;
            StartPoll();
        } else if (PollIsDue(now)) {
            StartPoll();
        }
    }
    // A stopped session still lets a running alert blink to its end.
    animation_.Advance(IsOn(options_.keepAnimation));
    if (stopRequested_ && !animation_.Running() && !pollBusy_) system_.KillTimer(SESSION_TIMER_ID);
}

bool SessionController::PollIsDue(std::uint32_t now) const {
    if (options_.refreshRate.empty()) return false;
    const std::uint32_t interval = RefreshIntervalMs(options_.refreshRate);
    return interval != 0 && now - lastPollEnd_ > interval;
}

void SessionController::PollNow() {
    if (!StartPoll()) return;
    // Without a session the timer is off; run it so that an alert of this poll blinks.
    if (!running_) {
        stopRequested_ = true;
        system_.StartTimer(SESSION_TIMER_ID, SESSION_TIMER_PERIOD_MS);
    }
}

bool SessionController::StartPoll() {
    if (pollBusy_) return false;
    pollBusy_ = true;
    system_.StartWorker([this, request = MakeRequest()] { RunOnWorker(request); });
    return true;
}

PollRequest SessionController::MakeRequest() const {
    PollRequest request;
    request.routerAddress = options_.routerAddress;
    request.password = options_.routerPassword;
    LogPageContext& page = request.page;
    page.lastDate = lastDate_;
    page.pageHeldLastDate = pageHeldLastDate_;
    page.screenText = screen_.TextForUpdate();
    page.selection = {IsOn(options_.rememberDate), IsOn(options_.onlyIntrusion)};
    page.render = {LogDateFormat(options_), IsOn(options_.logGMT)};
    return request;
}

void SessionController::RunOnWorker(PollRequest request) {
    auto outcome = std::make_shared<PollOutcome>();
    const auto showStatus = [this](const char* text) { PostStatus(text); };
    RunGuarded([&] { *outcome = RunPoll(request, system_, boxes_.ForWorkers(), showStatus); },
               [&](std::string failure) { *outcome = {std::move(failure), std::nullopt, PollResult::Failed}; });
    system_.PostToGuiThread([this, outcome] {
        ApplyOutcome(*outcome);
        FinishPoll(outcome->result);
    });
}

void SessionController::ApplyOutcome(const PollOutcome& outcome) {
    if (outcome.page) {
        const std::int32_t before = lastDate_;
        lastDate_ = outcome.page->lastDate;
        pageHeldLastDate_ = outcome.page->pageHeldLastDate;
        if (outcome.page->authorizationFailed) ShowStatus(kLoggingInStatus);
        listener_.OnPollOutcome(outcome);
        if (lastDate_ != before) listener_.OnLastDateChanged(lastDate_);
        return;
    }
    listener_.OnPollOutcome(outcome);
}

void SessionController::FinishPoll(PollResult result) {
    ShowStatus(IdleStatusText());
    listener_.OnPollFinished(result);
    lastPollEnd_ = system_.TickCount();
    pollBusy_ = false;
}

void SessionController::ForceLogout() {
    if (pollBusy_) {
        mainDialog_.ShowMessage(kLogoutBusyText, MessageButtons::Ok);
        return;
    }
    if (mainDialog_.ShowMessage(kLogoutQuestionText, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    // The question's own message loop may have let a poll start meanwhile.
    if (pollBusy_) {
        mainDialog_.ShowMessage(kLogoutBusyText, MessageButtons::Ok);
        return;
    }
    pollBusy_ = true;
    // A slow router must not freeze the window: the exchange runs on a worker.
    system_.StartWorker([this, address = options_.routerAddress] {
        std::string failure;
        RunGuarded([&] { RunLogout(address, boxes_.ForWorkers(), [this](const char* text) { PostStatus(text); }); },
                   [&](std::string escaped) { failure = std::move(escaped); });
        system_.PostToGuiThread([this, failure] {
            if (!failure.empty()) listener_.OnPollOutcome({failure, std::nullopt});
            pollBusy_ = false;
            ShowStatus(IdleStatusText());
        });
    });
}

const char* SessionController::IdleStatusText() const { return running_ ? kStatusWaiting : kStatusStopped; }

void SessionController::ShowStatus(const std::string& text) { mainDialog_.SetText(IDC_STATUS_LINE, text); }

void SessionController::PostStatus(const char* text) {
    system_.PostToGuiThread([this, text] { ShowStatus(text); });
}
