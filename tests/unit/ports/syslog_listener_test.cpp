#include "syslog_listener.h"

#include <gtest/gtest.h>

#include "support/loopback_sender.h"

namespace {
class IgnoredEvents : public SyslogListenerEvents {
    void OnSyslogMessage(std::string_view, std::uint32_t) override {}
    void OnSyslogWaitEnded(bool) override {}
    bool AcceptsMore() override { return true; }
};
}  // namespace

// What comes through is the receiver's tests'; the limit is the listener's own.
TEST(SyslogListener, ClosesAConnectionSilentPastTheLimit) {
    IgnoredEvents events;
    SyslogListener listener(events, 300);
    ASSERT_TRUE(listener.Start(0));
    TcpSocket silent;
    ASSERT_TRUE(ConnectLoopback(silent, listener.Port()));
    EXPECT_TRUE(ClosedWithin(silent, 5000));
}
