#include "syslog/syslog_parser.h"

#include <algorithm>
#include <optional>

#include "control_characters.h"

namespace {
constexpr char kBlank = ' ';
constexpr std::string_view kNil = "-";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr unsigned kMaxPriority = 191;
// RFC 5424's lengths of the header fields.
constexpr std::size_t kMaxHostLength = 255;
constexpr std::size_t kMaxAppNameLength = 48;
constexpr std::size_t kMaxProcessIdLength = 128;
constexpr std::size_t kMaxMessageIdLength = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AreDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

bool IsFrameEnd(char c) { return c == '\n' || c == '\r' || c == '\0'; }

std::string_view SkipBlanks(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(kBlank), text.size()));
}

// The text up to the next blank, taken off the front with that blank; empty
// when no blank follows.
std::string_view TakeWord(std::string_view& text) {
    const auto end = text.find(kBlank);
    if (end == std::string_view::npos) return {};
    const auto word = text.substr(0, end);
    text.remove_prefix(end + 1);
    return word;
}

// "<13>": one to three digits up to 191.
void SkipPriority(std::string_view& text) {
    const auto close = text.find('>');
    if (!text.starts_with('<') || close < 2 || close > 4) return;
    const auto digits = text.substr(1, close - 1);
    if (!AreDigits(digits)) return;
    unsigned priority = 0;
    for (const char c : digits) priority = priority * 10 + static_cast<unsigned>(c - '0');
    if (priority > kMaxPriority) return;
    text.remove_prefix(close + 1);
}

// "2003-10-11T22:14:15.003Z": its date part is enough to know it.
bool IsIsoTimestamp(std::string_view word) {
    return word.size() > 10 && AreDigits(word.substr(0, 4)) && word[4] == '-' && AreDigits(word.substr(5, 2)) &&
           word[7] == '-' && AreDigits(word.substr(8, 2)) && (word[10] == 'T' || word[10] == 't');
}

// "Oct 11 22:14:15 " (the day may be blank-padded or one digit), or an ISO
// timestamp and its blank, taken off the front.
bool SkipTraditionalTimestamp(std::string_view& text) {
    auto rest = text;
    const auto first = TakeWord(rest);
    if (IsIsoTimestamp(first)) {
        text = rest;
        return true;
    }
    if (std::find(std::begin(kMonths), std::end(kMonths), first) == std::end(kMonths)) return false;
    rest = SkipBlanks(rest);
    const auto day = TakeWord(rest);
    const auto time = TakeWord(rest);
    const bool clock = time.size() == 8 && time[2] == ':' && time[5] == ':' && AreDigits(time.substr(0, 2)) &&
                       AreDigits(time.substr(3, 2)) && AreDigits(time.substr(6, 2));
    if (day.size() > 2 || !AreDigits(day) || !clock) return false;
    text = rest;
    return true;
}

// A host name, not a tag ("su:", "dnsmasq[42]:").
bool IsHostWord(std::string_view word) {
    return !word.empty() && word.size() <= kMaxHostLength && !word.ends_with(':') &&
           word.find('[') == std::string_view::npos;
}

SyslogMessage ParseTraditional(std::string_view text) {
    SyslogMessage message;
    if (SkipTraditionalTimestamp(text)) {
        auto rest = text;
        const auto word = TakeWord(rest);
        if (IsHostWord(word)) {
            message.host = word;
            text = rest;
        }
    }
    message.text = SkipBlanks(text);
    return message;
}

bool IsField(std::string_view word, std::size_t maxLength) { return !word.empty() && word.size() <= maxLength; }

// "[id p="v" q="\"]\""][id2]": the end of the elements, or nothing when
// they do not close.
std::optional<std::size_t> StructuredDataEnd(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == '[') {
        bool quoted = false;
        for (++at;; ++at) {
            if (at >= text.size()) return std::nullopt;
            const char c = text[at];
            if (quoted && c == '\\') {
                ++at;
            } else if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && c == ']') {
                break;
            }
        }
        ++at;
    }
    return at == 0 ? std::nullopt : std::optional<std::size_t>(at);
}

// What follows STRUCTURED-DATA: the MSG, or the whole text when the data do
// not close, so that nothing sent is lost.
std::string_view MessageAfterStructuredData(std::string_view text) {
    if (text == kNil || text.starts_with("- ")) return text.substr(std::min<std::size_t>(2, text.size()));
    const auto end = StructuredDataEnd(text);
    if (!end) return text;
    if (*end == text.size()) return {};
    return text[*end] == kBlank ? text.substr(*end + 1) : text;
}

std::optional<SyslogMessage> ParseStructured(std::string_view text) {
    const auto version = TakeWord(text);
    if (version.size() > 3 || !AreDigits(version) || version.front() == '0') return std::nullopt;
    const auto timestamp = TakeWord(text);
    if (timestamp != kNil && !IsIsoTimestamp(timestamp)) return std::nullopt;
    const auto host = TakeWord(text);
    const auto app = TakeWord(text);
    const auto processId = TakeWord(text);
    const auto messageId = TakeWord(text);
    if (!IsField(host, kMaxHostLength) || !IsField(app, kMaxAppNameLength) ||
        !IsField(processId, kMaxProcessIdLength) || !IsField(messageId, kMaxMessageIdLength)) {
        return std::nullopt;
    }
    auto body = MessageAfterStructuredData(text);
    if (body.starts_with(kByteOrderMark)) body.remove_prefix(kByteOrderMark.size());

    SyslogMessage message;
    if (host != kNil) message.host = host;
    if (app != kNil) {
        message.text = app;
        if (processId != kNil) message.text.append("[").append(processId).append("]");
        message.text += ':';
        if (!body.empty()) message.text.append(1, kBlank).append(body);
    } else {
        message.text = body;
    }
    return message;
}
}  // namespace

SyslogMessage ParseSyslogMessage(std::string_view bytes) {
    bytes = bytes.substr(0, kMaxSyslogMessageSize);
    while (!bytes.empty() && IsFrameEnd(bytes.back())) bytes.remove_suffix(1);
    std::string blanked(bytes);
    BlankControlCharacters(blanked);
    std::string_view text = blanked;
    SkipPriority(text);
    if (auto message = ParseStructured(text)) return std::move(*message);
    return ParseTraditional(text);
}
