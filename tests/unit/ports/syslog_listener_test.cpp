#include "syslog_listener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "listener_sockets.h"
#include "support/loopback_sender.h"
#include "syslog/syslog_parser.h"

namespace {
constexpr std::uint32_t Loopback = 0x7F000001;

class RecordingEvents : public SyslogListenerEvents {
public:
    void OnSyslogMessage(std::string_view message, std::uint32_t sender) override {
        const std::lock_guard lock(mutex_);
        messages_.emplace_back(message);
        senders_.push_back(sender);
    }
    void OnSyslogWaitEnded(bool stopping) override { stopped_ = stopped_ || stopping; }

    // The messages once there are count of them; what there is after a bound far beyond any wait.
    std::vector<std::string> Await(std::size_t count) {
        for (int i = 0; i < 1000 && Messages().size() < count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return Messages();
    }
    std::vector<std::string> Messages() {
        const std::lock_guard lock(mutex_);
        return messages_;
    }
    bool AllFrom(std::uint32_t sender) {
        const std::lock_guard lock(mutex_);
        return std::all_of(senders_.begin(), senders_.end(), [sender](std::uint32_t s) { return s == sender; });
    }
    std::atomic<bool> stopped_{false};

private:
    std::mutex mutex_;
    std::vector<std::string> messages_;
    std::vector<std::uint32_t> senders_;
};
}  // namespace

TEST(SyslogListener, DatagramsAndConnectionsOfBothFramingsFromTheirSender) {
    RecordingEvents events;
    SyslogListener listener(events);
    ASSERT_TRUE(listener.Start(0)) << listener.ErrorCode();
    const auto port = listener.Port();
    ASSERT_NE(port, 0);

    ASSERT_TRUE(SendLoopbackDatagram(port, "<13>udp"));
    ASSERT_TRUE(SendLoopbackDatagram(port, ""));
    ASSERT_TRUE(SendLoopbackDatagram(port, std::string(65000, 'u')));
    ASSERT_EQ(events.Await(2).size(), 2u);
    LoopbackConnection connection(port);
    ASSERT_TRUE(connection.Connected());
    ASSERT_TRUE(connection.Send("8 <13>tcp1<13>tcp2\n<13>unended"));
    connection.Close();
    const std::vector<std::string> expected = {"<13>udp", std::string(MaxSyslogMessageSize, 'u'), "<13>tcp1",
                                               "<13>tcp2", "<13>unended"};
    EXPECT_EQ(events.Await(expected.size()), expected);
    EXPECT_TRUE(events.AllFrom(Loopback));

    // The port is taken while it listens, and free again once it stopped.
    RecordingEvents other;
    SyslogListener second(other);
    EXPECT_FALSE(second.Start(port));
    EXPECT_TRUE(listener_sockets::IsPortTakenCode(second.ErrorCode())) << second.ErrorCode();
    listener.Stop();
    EXPECT_TRUE(events.stopped_);
    ASSERT_TRUE(second.Start(port)) << second.ErrorCode();
    ASSERT_TRUE(SendLoopbackDatagram(port, "<13>again"));
    EXPECT_EQ(other.Await(1), std::vector<std::string>{"<13>again"});
}

// A connection closes when it stays silent past the limit or runs a frame
// past the message size, and beyond MaxConnections at once.
TEST(SyslogListener, ClosesIdleOverlongAndSurplusConnections) {
    RecordingEvents events;
    SyslogListener listener(events, 300);
    ASSERT_TRUE(listener.Start(0));
    std::vector<std::unique_ptr<LoopbackConnection>> connections;
    for (std::size_t i = 0; i <= SyslogListener::MaxConnections; ++i) {
        connections.push_back(std::make_unique<LoopbackConnection>(listener.Port()));
    }
    EXPECT_TRUE(connections.back()->ClosedWithin(5000));
    ASSERT_TRUE(connections.front()->Send(std::string(MaxSyslogMessageSize + 1, 'x')));
    EXPECT_TRUE(connections.front()->ClosedWithin(5000));
    EXPECT_EQ(events.Await(1), std::vector<std::string>{std::string(MaxSyslogMessageSize, 'x')});
    EXPECT_TRUE(connections[1]->ClosedWithin(5000));
}
