#include "logupdate/log_publisher.h"

#include <utility>
#include <vector>

namespace {
constexpr char kEmptyLogNotice[] = "*** (empty) ***";

std::optional<std::string> FirstAddress(const LogUpdate& update) {
    for (const LogRecord& record : update.records) {
        if (record.attempt) return AddressText(record.attempt->address);
    }
    return std::nullopt;
}

std::vector<ReportedAttempt> AttemptsOf(const LogUpdate& update) {
    std::vector<ReportedAttempt> attempts;
    for (const LogRecord& record : update.records) {
        if (record.attempt) attempts.push_back({*record.attempt, record.time});
    }
    return attempts;
}

// The latest attempt and how many came with it, for the pop-up.
UpdateAttempts Summary(const std::vector<ReportedAttempt>& attempts) {
    if (attempts.empty()) return {};
    return {attempts.back().report, attempts.size()};
}
}  // namespace

void LogPublisher::Publish(const LogUpdate& update) {
    screen_.StartUpdate();
    if (update.lines.displayText.empty()) {
        if (screen_.Text().empty()) screen_.Replace(kEmptyLogNotice);
        return;
    }
    const bool intrusionShown = update.HoldsIntrusion();
    // Missed entries matter most to a user who watches only intrusions: the
    // line passes the filter, but alone it alerts and launches nothing.
    const bool passes = !update.onlyIntrusion || intrusionShown;
    if (passes || update.opensWithMissedEntries) ShowLines(update);
    if (intrusionShown) {
        const std::vector<ReportedAttempt> attempts = AttemptsOf(update);
        intruders_.Record(attempts);
        alerts_.RaiseIntrusionAlerts(FirstAddress(update), Summary(attempts));
    }
    const bool filed = IsOn(options_.logToFile) && (passes || update.opensWithMissedEntries);
    if (filed) file_.Append(update.lines.fileText);
    if (!passes || !IsOn(options_.autoLaunchExternal)) return;
    if (filed) {
        file_.ThenOnGuiThread([this, lines = lastParagraph_] { alerts_.LaunchExternalProgramWith(lines); });
    } else {
        alerts_.LaunchExternalProgramWith(lastParagraph_);
    }
}

void LogPublisher::ShowLines(const LogUpdate& update) {
    const bool startedOver = screen_.Append(update.lines.displayText);
    lastParagraph_ = update.lines.displayText;
    if (startedOver || !firstAddressOnScreen_) firstAddressOnScreen_ = FirstAddress(update);
}

void LogPublisher::ShowNotice(std::string text) {
    screen_.Replace(std::move(text));
    firstAddressOnScreen_.reset();
}

void LogPublisher::ClearScreen() { ShowNotice({}); }
