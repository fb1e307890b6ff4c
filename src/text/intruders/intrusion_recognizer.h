#pragma once
#include <optional>
#include <string_view>

#include "intruders/intrusion_report.h"

// An intrusion attempt in a log text of any form the program knows: the log
// page's "Unrecognized access from A:p to PROTO port N", a netfilter LOG line
// whose prefix drops or rejects ("[UFW BLOCK] IN=ppp0 OUT= ... SRC=A ...
// PROTO=P ... DPT=N"), "[DoS Attack: kind] from source: A, port N" and
// "[LAN access from remote] from A:p to B:q". Only a dotted IPv4 address
// counts; protocol and port are empty where the form does not give them.
std::optional<IntrusionReport> RecognizeIntrusion(std::string_view text);

// RecognizeIntrusion finds an attempt, or the text carries the log page's
// marker without an address that can be taken: the page's "only intrusions"
// filter and its alerts have always counted those.
bool IsIntrusionAttempt(std::string_view text);
