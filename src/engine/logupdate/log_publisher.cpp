#include "logupdate/log_publisher.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
constexpr char kEmptyLogNotice[] = "*** (empty) ***";

std::vector<ReportedAttempt> AttemptsOf(const LogUpdate& update) {
    std::vector<ReportedAttempt> attempts;
    for (const LogRecord& record : update.records) {
        if (record.attempt) attempts.push_back({*record.attempt, record.time});
    }
    return attempts;
}

bool OnlyIntrusions(const LogUpdate& update) {
    return std::all_of(update.records.begin(), update.records.end(),
                       [](const LogRecord& record) { return record.intrusion; });
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
    bool silent = false;
    if (intrusionShown) {
        intruders_.Record(AttemptsOf(update));
        const IntrusionAlerts alerts = gate_.Judge(update);
        if (alerts.raised) alerts_.RaiseIntrusionAlerts(alerts.firstAddress, alerts.attempts);
        silent = !alerts.raised && OnlyIntrusions(update);
    }
    const bool filed = IsOn(options_.logToFile) && (passes || update.opensWithMissedEntries);
    if (filed) file_.Append(update.lines.fileText);
    if (!passes || silent || !IsOn(options_.autoLaunchExternal)) return;
    if (filed) {
        file_.ThenOnGuiThread([this, lines = lastParagraph_] { alerts_.LaunchExternalProgramWith(lines); });
    } else {
        alerts_.LaunchExternalProgramWith(lastParagraph_);
    }
}

void LogPublisher::ShowLines(const LogUpdate& update) {
    const bool startedOver = screen_.Append(update.lines.displayText);
    lastParagraph_ = update.lines.displayText;
    if (startedOver || !firstAddressOnScreen_) {
        firstAddressOnScreen_ = FirstWatchedAddress(update, options_.ignoredAddresses);
    }
}

void LogPublisher::ShowNotice(std::string text) {
    screen_.Replace(std::move(text));
    firstAddressOnScreen_.reset();
}

void LogPublisher::ClearScreen() { ShowNotice({}); }
