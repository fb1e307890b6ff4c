#pragma once
#include <string>

#include "monitor_context.h"
#include "logupdate/intrusion_alerts.h"

// One fetched log page into the log screen, router.log and the alerts.
// The page is the whole response; the state's referenceTime dates it.
void ProcessLogPage(MonitorContext& context, const std::string& page, IntrusionAlerts& alerts);
