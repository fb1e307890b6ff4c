#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// A syslog message longer than this is cut here, by every part that takes one.
inline constexpr std::size_t kMaxSyslogMessageSize = 8192;

// What a log line takes from one syslog message. The router's own clock is
// not among it: router clocks are often wrong and RFC 3164 has no year, so
// the time the PC received the message dates the line.
struct SyslogMessage {
    std::string host;  // as the message gives it; empty when it gives none
    std::string text;  // its tag kept: "dnsmasq[42]: query ..."
};

// RFC 3164 and RFC 5424 messages, with or without the <PRI>; a 3164 message
// may lack the timestamp or the host. A 5424 message reads as
// "APP-NAME[PROCID]: MSG", its "-" fields left out, and neither MSGID nor
// STRUCTURED-DATA shown. Anything else is a message too: its text as it
// came. Control characters are blanked, frame ends at its end dropped.
SyslogMessage ParseSyslogMessage(std::string_view bytes);
