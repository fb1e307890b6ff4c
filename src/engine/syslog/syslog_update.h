#pragma once
#include <vector>

#include "logpage/log_line_renderer.h"
#include "common/log_update.h"
#include "syslog/syslog_receiver.h"

// A batch of received syslog messages as one log update: a record and a line
// each, in the order they came; with "Log intrusion only", the attempts alone.
LogUpdate SyslogUpdate(const std::vector<SyslogRecord>& received, RenderOptions render, bool onlyIntrusion);
