#include <gtest/gtest.h>

#include <memory>

#include "support/loopback_sender.h"
#include "syslog/syslog_parser.h"
#include "unit/engine/syslog/syslog_receiving_sink.h"

// Hostile senders between two good messages: the receiver keeps running and
// both arrive intact.
TEST(SyslogReceiver, OutlastsHostileSenders) {
    FakeSystem system;
    RecordingSink sink;
    SyslogReceiver receiver(system, sink);
    ASSERT_TRUE(receiver.Start(0, "", true));
    const auto port = receiver.Status().port;
    const std::string cut(MaxSyslogMessageSize, 'x');

    ASSERT_TRUE(SendLoopbackDatagram(port, "<13>before"));
    ASSERT_EQ(sink.AwaitTexts(1, system).size(), 1u);
    ASSERT_TRUE(SendLoopbackDatagram(port, std::string("\x01\xff\0\r\n\x7f" "garbage", 13)));
    ASSERT_TRUE(SendLoopbackDatagram(port, ""));
    ASSERT_TRUE(SendLoopbackDatagram(port, std::string(65507, 'x')));
    ASSERT_EQ(sink.AwaitTexts(3, system).size(), 3u);
    {
        LoopbackConnection counted(port);
        ASSERT_TRUE(counted.Send("999999999 " + std::string(1 << 20, 'x')));
        LoopbackConnection unended(port);
        ASSERT_TRUE(unended.Send(std::string(MaxSyslogMessageSize + 100, 'x')));
        EXPECT_TRUE(unended.ClosedWithin(5000));
    }
    ASSERT_EQ(sink.AwaitTexts(5, system).size(), 5u);
    {
        std::vector<std::unique_ptr<LoopbackConnection>> flood;
        for (int i = 0; i < 1000; ++i) flood.push_back(std::make_unique<LoopbackConnection>(port));
        ASSERT_TRUE(SendLoopbackDatagram(port, "<13>during"));
        ASSERT_EQ(sink.AwaitTexts(6, system).size(), 6u);
    }
    ASSERT_TRUE(Eventually([&] { return LoopbackConnection(port).Send("<13>after\n"); }));
    const std::vector<std::string> expected = {"before", "\xff    garbage", cut, cut, cut, "during", "after"};
    EXPECT_EQ(sink.AwaitTexts(expected.size(), system), expected);
    EXPECT_TRUE(receiver.Status().listening);
}
