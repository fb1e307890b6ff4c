#pragma once
#include <cstddef>
#include <string>

#include "intruders/intrusion_report.h"

// "207.71.92.221, UDP port 137", without the protocol and port when unknown,
// then " and 3 more" when the update held 3 further attempts.
std::string IntrusionBalloonText(const IntrusionReport& latest, std::size_t moreCount);
