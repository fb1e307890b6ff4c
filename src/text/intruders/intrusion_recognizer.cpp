#include "intruders/intrusion_recognizer.h"

#include <algorithm>

#include "logpage/intrusion_marker.h"
#include "router/ipv4_text.h"
#include "text_trim.h"

namespace {
constexpr auto kNone = std::string_view::npos;

constexpr std::string_view kDosOpening = "[DoS Attack:";
constexpr std::string_view kDosSource = "] from source:";
constexpr std::string_view kDosPort = "port ";
constexpr std::string_view kRemoteOpening = "[LAN access from remote] from ";
constexpr std::string_view kRemoteTarget = " to ";
// Where a value of these forms ends.
constexpr std::string_view kValueEnd = " ,";

constexpr std::string_view kInField = "IN=";
constexpr std::string_view kOutField = " OUT=";
constexpr std::string_view kSourceField = " SRC=";
constexpr std::string_view kProtocolField = " PROTO=";
constexpr std::string_view kPortField = " DPT=";
// Words of a netfilter prefix that mean the packet did not get in.
constexpr std::string_view kRefusalWords[] = {"drop", "dropped", "reject", "rejected",
                                             "block", "blocked", "deny", "denied"};

std::string_view ValueAt(std::string_view text, std::size_t start, std::string_view ends) {
    if (start >= text.size()) return {};
    const auto rest = text.substr(start);
    return rest.substr(0, rest.find_first_of(ends));
}

std::string PlainOrEmpty(std::string_view field) {
    return IsPlainReportField(field) ? std::string(field) : std::string();
}

std::optional<IntrusionReport> ReportFor(std::string_view address, std::string_view protocol, std::string_view port) {
    const auto value = Ipv4Value(address);
    if (!value) return std::nullopt;
    return IntrusionReport{*value, PlainOrEmpty(protocol), PlainOrEmpty(port)};
}

// "A:p" without its port.
std::string_view HostOf(std::string_view endpoint) {
    const auto colon = endpoint.rfind(':');
    return colon == kNone ? std::string_view() : endpoint.substr(0, colon);
}

std::string_view PortOf(std::string_view endpoint) {
    const auto colon = endpoint.rfind(':');
    return colon == kNone ? std::string_view() : endpoint.substr(colon + 1);
}

// "[DoS Attack: SYN/ACK Scan] from source: 1.2.3.4, port 443, ..."
std::optional<IntrusionReport> RecognizeDosAttack(std::string_view text) {
    const auto opening = text.find(kDosOpening);
    if (opening == kNone) return std::nullopt;
    const auto source = text.find(kDosSource, opening);
    if (source == kNone) return std::nullopt;
    auto rest = TrimWhiteSpace(text.substr(source + kDosSource.size()));
    const auto address = ValueAt(rest, 0, kValueEnd);
    rest = TrimWhiteSpace(rest.substr(address.size()));
    if (rest.starts_with(',')) rest = TrimWhiteSpace(rest.substr(1));
    const auto port = rest.starts_with(kDosPort) ? ValueAt(rest, kDosPort.size(), kValueEnd) : std::string_view();
    return ReportFor(address, {}, port);
}

// "[LAN access from remote] from 1.2.3.4:5555 to 192.168.1.2:22, ..."
std::optional<IntrusionReport> RecognizeRemoteAccess(std::string_view text) {
    const auto opening = text.find(kRemoteOpening);
    if (opening == kNone) return std::nullopt;
    const auto start = opening + kRemoteOpening.size();
    const auto source = ValueAt(text, start, kValueEnd);
    const auto target = text.substr(start + source.size()).starts_with(kRemoteTarget)
                            ? ValueAt(text, start + source.size() + kRemoteTarget.size(), kValueEnd)
                            : std::string_view();
    return ReportFor(HostOf(source), {}, PortOf(target));
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsRefusalWord(std::string_view word) {
    return std::any_of(std::begin(kRefusalWords), std::end(kRefusalWords), [word](std::string_view refusal) {
        return std::equal(word.begin(), word.end(), refusal.begin(), refusal.end(),
                          [](char a, char b) { return Lower(a) == b; });
    });
}

// A refusal word standing as a word of its own: "[UFW BLOCK]", "fw-drop",
// never "dropbear" or "Undenied".
bool HasRefusalWord(std::string_view prefix) {
    std::size_t word = 0;
    for (std::size_t c = 0;; ++c) {
        if (c < prefix.size() && IsLetter(prefix[c])) continue;
        if (IsRefusalWord(prefix.substr(word, c - word))) return true;
        if (c >= prefix.size()) return false;
        word = c + 1;
    }
}

// The value of " NAME=" after the start, up to the next blank.
std::string_view FieldValue(std::string_view fields, std::string_view name) {
    const auto place = fields.find(name);
    return place == kNone ? std::string_view() : ValueAt(fields, place + name.size(), " ");
}

// Netfilter writes the rule's prefix, then "IN=x OUT=y", then the fields; a
// prefix without its trailing blank runs into "IN=".
std::size_t FindInterfaceFields(std::string_view text) {
    for (auto in = text.find(kInField); in != kNone; in = text.find(kInField, in + 1)) {
        const auto value = ValueAt(text, in + kInField.size(), " ");
        if (text.substr(in + kInField.size() + value.size()).starts_with(kOutField)) return in;
    }
    return kNone;
}

std::optional<IntrusionReport> RecognizeNetfilter(std::string_view text) {
    const auto in = FindInterfaceFields(text);
    if (in == kNone || !HasRefusalWord(text.substr(0, in))) return std::nullopt;
    const auto fields = text.substr(in);
    return ReportFor(FieldValue(fields, kSourceField), FieldValue(fields, kProtocolField), FieldValue(fields, kPortField));
}
}  // namespace

std::optional<IntrusionReport> RecognizeIntrusion(std::string_view text) {
    if (auto report = ParseIntrusionReport(text)) return report;
    if (auto report = RecognizeDosAttack(text)) return report;
    if (auto report = RecognizeRemoteAccess(text)) return report;
    return RecognizeNetfilter(text);
}

bool IsIntrusionAttempt(std::string_view text) {
    return ContainsIntrusionMarker(text) || RecognizeIntrusion(text).has_value();
}
