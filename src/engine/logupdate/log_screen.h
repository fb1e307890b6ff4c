#pragma once
#include <string>

#include "monitor_context.h"

// The log screen's text at the start of an update. A screen grown past its
// limit is emptied first, and the empty text is given.
std::string ReadLogScreen(MonitorContext& context);
