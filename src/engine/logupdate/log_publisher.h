#pragma once
#include <string>

#include "monitor_context.h"
#include "logupdate/intrusion_alerts.h"
#include "logpage/log_update.h"

// Applies a non-empty update to the log screen, lastParagraph, the alerts,
// router.log and the external program, in that order. screenText is the
// screen as read at the start of the update.
void PublishLogUpdate(MonitorContext& context, const LogUpdate& update, const std::string& screenText,
                      IntrusionAlerts& alerts);
