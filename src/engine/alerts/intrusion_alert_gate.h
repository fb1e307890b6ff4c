#pragma once
#include <optional>
#include <string>

#include "alerts/alert_responder.h"
#include "intruders/quiet_repeats.h"
#include "common/log_update.h"
#include "options/options.h"
#include "system_port.h"

// What an update's intrusion attempts set off.
struct IntrusionAlerts {
    bool raised = false;                      // the sound, the blinking, the balloon and the autofill
    std::optional<std::string> firstAddress;  // the autofill's: the first attempt that alerts
    UpdateAttempts attempts;                  // the balloon's: the latest that alerts, and how many do
};

// Which of an update's intrusion attempts alert: none of an ignored address,
// and none at all when every address left alerted within the quiet-repeat
// minutes (by the PC's clock: the router's may be wrong or missing). An
// attempt whose line names no address is never held back. GUI thread.
class IntrusionAlertGate {
public:
    IntrusionAlertGate(SystemPort& system, const Options& options) : system_(system), options_(options) {}

    IntrusionAlerts Judge(const LogUpdate& update);

private:
    SystemPort& system_;
    const Options& options_;
    QuietRepeats quiet_;
};

// The first attempt's address that is not ignored.
std::optional<std::string> FirstWatchedAddress(const LogUpdate& update, const IgnoreList& ignored);
