#include "syslog/syslog_status_text.h"

#include "text_trim.h"

namespace {
constexpr char kOffText[] = "Not receiving syslog";
constexpr char kListeningHead[] = "Listening on UDP and TCP port ";
constexpr char kCannotListenHead[] = "Cannot listen on port ";

std::string Counted(std::uint64_t count, const char* one, const char* many) {
    return GroupedDigits(count) + ' ' + (count == 1 ? one : many);
}
}  // namespace

std::string GroupedDigits(std::uint64_t number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

std::string SyslogStatusText(const SyslogStatusFacts& facts) {
    if (!facts.enabled) return kOffText;
    const std::string port = std::to_string(facts.port);
    if (!facts.listening) return kCannotListenHead + port + ": " + std::string(TrimWhiteSpace(facts.failure));
    return kListeningHead + port + ": " + Counted(facts.messages, "message", "messages") + ", " +
           GroupedDigits(facts.refused) + " refused from other addresses";
}
