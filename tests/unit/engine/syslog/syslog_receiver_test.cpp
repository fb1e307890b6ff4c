#include "syslog/syslog_receiver.h"

#include <gtest/gtest.h>

#include "listener_sockets.h"
#include "support/loopback_sender.h"
#include "unit/engine/syslog/syslog_receiving_sink.h"

// Only the router's dotted host is heard unless any sender is; each restart
// counts afresh, on a port of its own.
TEST(SyslogReceiver, SenderRuleAndCountsAcrossRestarts) {
    FakeSystem system;
    RecordingSink sink;
    SyslogReceiver receiver(system, sink);
    const struct {
        const char* router;
        bool anySender;
        bool heard;
    } rules[] = {
        {"127.0.0.1:8080", false, true},
        {"10.0.0.1", false, false},
        {"localhost:80", false, false},
        {"10.0.0.1", true, true},
    };
    std::size_t delivered = 0;
    for (const auto& rule : rules) {
        ASSERT_TRUE(receiver.Start(0, rule.router, rule.anySender));
        ASSERT_TRUE(SendLoopbackDatagram(receiver.Status().port, "<13>Oct 11 22:14:15 gw su: one"));
        ASSERT_TRUE(Eventually([&] { return receiver.Status().messages + receiver.Status().refused == 1; }));
        const auto status = receiver.Status();
        EXPECT_TRUE(status.listening);
        EXPECT_EQ(status.messages, rule.heard ? 1u : 0u) << rule.router;
        EXPECT_EQ(status.refused, rule.heard ? 0u : 1u) << rule.router;
        receiver.Stop();
        EXPECT_FALSE(receiver.Status().listening);
        delivered += rule.heard;
        ASSERT_EQ(sink.Batches().size(), delivered);
    }
    const auto record = sink.Batches().front().records.front();
    EXPECT_EQ(record.received, system.now.load());
    EXPECT_EQ(record.host, "gw");
    EXPECT_EQ(record.text, "su: one");
    EXPECT_EQ(record.sender, 0x7F000001u);
}

// The first batch goes at once; what comes before the interval is over waits
// and goes as one batch; Stop hands on what still waits, on the receiver's
// thread. TCP carries both framings, and a frame that the close ends.
TEST(SyslogReceiver, BatchesByTheTickAndStopsClean) {
    FakeSystem system;
    RecordingSink sink;
    SyslogReceiver receiver(system, sink);
    ASSERT_TRUE(receiver.Start(0, "127.0.0.1", false));
    const auto port = receiver.Status().port;
    ASSERT_TRUE(SendLoopbackDatagram(port, "a"));
    ASSERT_TRUE(Eventually([&] { return sink.Batches().size() == 1; }));
    system.tick += kSyslogBatchIntervalMs - 1;
    TcpSocket connection;
    ASSERT_TRUE(ConnectLoopback(connection, port));
    ASSERT_TRUE(connection.SendAll("1 bc\nd", 6));
    ASSERT_TRUE(Eventually([&] { return receiver.Status().messages == 3; }));
    EXPECT_EQ(sink.Batches().size(), 1u);
    system.tick += 1;
    ASSERT_TRUE(Eventually([&] { return sink.Batches().size() == 2; }));
    EXPECT_EQ(sink.Batches()[1].records.size(), 2u);

    connection.Close();
    ASSERT_TRUE(Eventually([&] { return receiver.Status().messages == 4; }));
    receiver.Stop();
    const auto batches = sink.Batches();
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[2].records.front().text, "d");
    EXPECT_NE(batches[2].thread, std::this_thread::get_id());

    // A port that is taken is a failed start, with the system's code.
    SyslogReceiver other(system, sink);
    ASSERT_TRUE(receiver.Start(0, "", true));
    EXPECT_FALSE(other.Start(receiver.Status().port, "", true));
    EXPECT_FALSE(other.Status().listening);
    EXPECT_TRUE(listener_sockets::IsPortTakenCode(other.Status().errorCode)) << other.Status().errorCode;
}
