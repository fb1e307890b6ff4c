// A syslog TCP stream cut where the input says: the same messages and the
// same verdict as read whole, none over the size limit; each message, and
// the whole input as one datagram, parses to texts without a control
// character.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "syslog/syslog_frame_decoder.h"
#include "syslog/syslog_parser.h"

namespace {
struct Decoded {
    std::vector<std::string> messages;
    bool open = true;
    bool operator==(const Decoded&) const = default;
};

Decoded Decode(std::string_view stream, std::uint32_t cuts) {
    SyslogFrameDecoder decoder;
    Decoded decoded;
    const auto emit = [&](std::string_view message) { decoded.messages.emplace_back(message); };
    for (int i = 0; !stream.empty() && decoded.open; ++i) {
        const std::size_t size = 1 + (cuts >> (i % 4 * 8) & 0xFF);
        decoded.open = decoder.Feed(stream.substr(0, size), emit);
        stream.remove_prefix(std::min(size, stream.size()));
    }
    if (decoded.open) decoder.Finish(emit);
    return decoded;
}

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return true;
    }
    return false;
}

void CheckParsed(std::string_view bytes) {
    const auto message = ParseSyslogMessage(bytes);
    FuzzCheck(!HasControlCharacter(message.host) && !HasControlCharacter(message.text), "no control character");
    FuzzCheck(message.host.size() + message.text.size() <= kMaxSyslogMessageSize + 4, "texts within the limit");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint32_t cuts = input.Uint32();
    const auto decoded = Decode(input.Rest(), cuts);
    FuzzCheck(decoded == Decode(input.Rest(), 0xFFFFFFFF), "same messages however cut");
    for (const auto& message : decoded.messages) {
        FuzzCheck(!message.empty() && message.size() <= kMaxSyslogMessageSize, "messages within the limit");
        CheckParsed(message);
    }
    CheckParsed(input.Rest());
    return 0;
}
