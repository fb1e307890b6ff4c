#include <gtest/gtest.h>

#include <vector>

#include "syslog/syslog_frame_decoder.h"
#include "syslog/syslog_parser.h"

namespace {
using namespace std::string_literals;

std::string Counted(const std::string& message) { return std::to_string(message.size()) + " " + message; }

// The messages of the stream fed in pieces of the size; open tells the last verdict.
std::vector<std::string> Decode(std::string_view stream, std::size_t size, bool& open) {
    SyslogFrameDecoder decoder;
    std::vector<std::string> messages;
    for (; !stream.empty(); stream.remove_prefix(std::min(size, stream.size()))) {
        open = decoder.Feed(stream.substr(0, size), [&](std::string_view m) { messages.emplace_back(m); });
    }
    return messages;
}
}  // namespace

TEST(SyslogFrameDecoder, BothFramingsTheSameHoweverCut) {
    const std::string stream = Counted("<13>one") + "<13>two\n" + "\r\n<13>three\r\n" + Counted("<13>four\nwith LF") +
                               "<13>five\0"s + "2024x not a count\n" + "1234567890 ten digits\n" +
                               Counted(std::string(9000, 'x')) + Counted(std::string(kMaxSyslogMessageSize, 'y')) +
                               "<13>unended";
    const std::vector<std::string> expected = {"<13>one", "<13>two", "<13>three", "<13>four\nwith LF", "<13>five",
                                               "2024x not a count", "1234567890 ten digits",
                                               std::string(kMaxSyslogMessageSize, 'x'),
                                               std::string(kMaxSyslogMessageSize, 'y')};
    for (std::size_t size = 1; size <= 64; ++size) {
        bool open = false;
        ASSERT_EQ(Decode(stream, size, open), expected) << size;
        ASSERT_TRUE(open);
    }
}

// Only a frame without a count closes the connection, once it runs past the limit.
TEST(SyslogFrameDecoder, UnendedLineClosesAtTheLimit) {
    const struct {
        std::string stream;
        std::size_t messages;
        bool open;
    } cases[] = {
        {std::string(kMaxSyslogMessageSize, 'a') + "\nb\n", 2, true},
        {std::string(kMaxSyslogMessageSize + 1, 'a') + "\nb\n", 1, false},
        {"999999999 " + std::string(3 * kMaxSyslogMessageSize, 'c'), 1, true},
    };
    for (const auto& c : cases) {
        for (const std::size_t size : {std::size_t{1}, std::size_t{4096}, c.stream.size()}) {
            bool open = false;
            const auto messages = Decode(c.stream, size, open);
            EXPECT_EQ(messages.size(), c.messages) << size;
            EXPECT_EQ(messages.front().size(), kMaxSyslogMessageSize);
            EXPECT_EQ(open, c.open) << size;
        }
    }
}
