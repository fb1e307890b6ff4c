#include <gtest/gtest.h>

#include <memory>

#include "support/loopback_sender.h"
#include "syslog/syslog_parser.h"
#include "unit/engine/syslog/syslog_receiving_sink.h"

// Hostile senders between good messages: the receiver keeps running and
// those arrive intact.
TEST(SyslogReceiver, OutlastsHostileSenders) {
    FakeSystem system;
    RecordingSink sink;
    SyslogReceiver receiver(system, sink);
    ASSERT_TRUE(receiver.Start(0, "", true));
    const auto port = receiver.Status().port;
    const std::string big(1 << 20, 'x');
    const std::string cut(kMaxSyslogMessageSize, 'x');

    ASSERT_TRUE(SendLoopbackDatagram(port, "<13>before"));
    ASSERT_EQ(sink.AwaitTexts(1, system).size(), 1u);
    ASSERT_TRUE(SendLoopbackDatagram(port, std::string("\x01\xff\0\r\n\x7f" "garbage", 13)));
    ASSERT_TRUE(SendLoopbackDatagram(port, ""));
    ASSERT_TRUE(SendLoopbackDatagram(port, big.substr(0, 65507)));
    ASSERT_EQ(sink.AwaitTexts(3, system).size(), 3u);
    {
        TcpSocket counted, unended;
        ASSERT_TRUE(ConnectLoopback(counted, port) && counted.SendAll("999999999 ", 10));
        ASSERT_TRUE(counted.SendAll(big.data(), big.size()));
        ASSERT_TRUE(ConnectLoopback(unended, port) && unended.SendAll(big.data(), big.size()));
        EXPECT_TRUE(ClosedWithin(unended, 5000));
    }
    ASSERT_EQ(sink.AwaitTexts(5, system).size(), 5u);
    {
        std::vector<std::unique_ptr<TcpSocket>> flood(1000);
        for (auto& socket : flood) ASSERT_TRUE(ConnectLoopback(*(socket = std::make_unique<TcpSocket>()), port));
        ASSERT_TRUE(SendLoopbackDatagram(port, "<13>during"));
        ASSERT_EQ(sink.AwaitTexts(6, system).size(), 6u);
    }
    TcpSocket after;
    ASSERT_TRUE(Eventually([&] {
        after.Close();
        return ConnectLoopback(after, port) && after.SendAll("<13>after\n", 10);
    }));
    const std::vector<std::string> expected = {"before", "\xff    garbage", cut, cut, cut, "during", "after"};
    EXPECT_EQ(sink.AwaitTexts(expected.size(), system), expected);
    EXPECT_TRUE(receiver.Status().listening);
}
