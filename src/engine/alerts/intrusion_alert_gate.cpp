#include "alerts/intrusion_alert_gate.h"

#include <cstdint>
#include <vector>

namespace {
bool Watched(const LogRecord& record, const IgnoreList& ignored) {
    return record.attempt && !ignored.Ignores(record.attempt->address);
}
}  // namespace

IntrusionAlerts IntrusionAlertGate::Judge(const LogUpdate& update) {
    IntrusionAlerts alerts;
    std::vector<std::uint32_t> addresses;
    bool unnamed = false;
    for (const LogRecord& record : update.records) {
        if (!record.intrusion) continue;
        unnamed = unnamed || !record.attempt;
        if (!Watched(record, options_.ignoredAddresses)) continue;
        addresses.push_back(record.attempt->address);
        alerts.attempts.latest = record.attempt;
        ++alerts.attempts.count;
    }
    const bool fresh = quiet_.Alerts(addresses, system_.CurrentTime(), options_.quietRepeatMinutes);
    alerts.raised = fresh || unnamed;
    if (alerts.raised) alerts.firstAddress = FirstWatchedAddress(update, options_.ignoredAddresses);
    return alerts;
}

std::optional<std::string> FirstWatchedAddress(const LogUpdate& update, const IgnoreList& ignored) {
    for (const LogRecord& record : update.records) {
        if (Watched(record, ignored)) return AddressText(record.attempt->address);
    }
    return std::nullopt;
}
