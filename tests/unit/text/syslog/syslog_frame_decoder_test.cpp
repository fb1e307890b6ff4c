#include <gtest/gtest.h>

#include <vector>

#include "syslog/syslog_frame_decoder.h"
#include "syslog/syslog_parser.h"

namespace {
using namespace std::string_literals;

std::string Counted(const std::string& message) { return std::to_string(message.size()) + " " + message; }

std::vector<std::string> Decode(std::string_view stream, std::size_t first, std::size_t size, bool& open) {
    SyslogFrameDecoder decoder;
    std::vector<std::string> messages;
    const auto emit = [&](std::string_view message) { messages.emplace_back(message); };
    open = decoder.Feed(stream.substr(0, first), emit);
    for (stream.remove_prefix(std::min(first, stream.size())); !stream.empty();
         stream.remove_prefix(std::min(size, stream.size()))) {
        open = decoder.Feed(stream.substr(0, size), emit);
    }
    return messages;
}
}  // namespace

TEST(SyslogFrameDecoder, BothFramingsTheSameHoweverCut) {
    const std::string stream = Counted("<13>one") + "<13>two\n" + "\r\n<13>three\r\n" + Counted("<13>four\nwith LF") +
                               "<13>five\0"s + "2024x not a count\n" + "1234567890 ten digits\n" +
                               Counted(std::string(9000, 'x')) + Counted(std::string(MaxSyslogMessageSize, 'y')) +
                               "<13>after";
    const std::vector<std::string> expected = {"<13>one", "<13>two", "<13>three", "<13>four\nwith LF", "<13>five",
                                               "2024x not a count", "1234567890 ten digits",
                                               std::string(MaxSyslogMessageSize, 'x'),
                                               std::string(MaxSyslogMessageSize, 'y')};
    bool open = false;
    for (std::size_t cut = 0; cut <= stream.size(); cut += 7) {
        ASSERT_EQ(Decode(stream, cut, stream.size(), open), expected) << "cut at " << cut;
        ASSERT_TRUE(open);
    }
    for (std::size_t size = 1; size <= 64; ++size) ASSERT_EQ(Decode(stream, 0, size, open), expected) << size;
    // The unended last frame comes out with the next frame's start.
    EXPECT_EQ(Decode(stream + "\n", 0, 100, open).back(), "<13>after");
}

// Only a frame without a count closes the connection, once it runs past the limit.
TEST(SyslogFrameDecoder, UnendedLineClosesAtTheLimit) {
    const struct {
        std::string stream;
        std::size_t messages;
        bool open;
    } cases[] = {
        {std::string(MaxSyslogMessageSize, 'a') + "\nb\n", 2, true},
        {std::string(MaxSyslogMessageSize + 1, 'a') + "\nb\n", 1, false},
        {"999999999 " + std::string(3 * MaxSyslogMessageSize, 'c'), 1, true},
    };
    for (const auto& c : cases) {
        for (const std::size_t size : {std::size_t{1}, std::size_t{4096}, c.stream.size()}) {
            bool open = false;
            const auto messages = Decode(c.stream, 0, size, open);
            EXPECT_EQ(messages.size(), c.messages) << size;
            EXPECT_EQ(messages.front().size(), MaxSyslogMessageSize);
            EXPECT_EQ(open, c.open) << size;
        }
    }
}
