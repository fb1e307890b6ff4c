#pragma once
#include <string>

#include "sim_settings.h"

// The router's status page in one of its two layouts: the common one with
// <TD ALIGN=CENTER> value cells, or the variant (marked by "asant") with
// lower-case <td> cells and the lease time in <td width="33%">.
std::string RenderStatusPage(StatusLayout layout, ConnectionItem item, long long upSeconds);

// "d day hh:mm:ss" as the router writes durations.
std::string FormatDuration(long long seconds);
