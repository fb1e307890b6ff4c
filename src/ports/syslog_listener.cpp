#include "syslog_listener.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "listener_sockets.h"
#include "syslog/syslog_frame_decoder.h"
#include "syslog/syslog_parser.h"

namespace sockets = listener_sockets;

namespace {

// The largest datagram, read whole.
constexpr std::size_t kBufferSize = 1 << 16;
// Datagrams taken per wait, so that connections get their turn in a flood.
constexpr int kDatagramsPerWait = 256;
// Tries at a port free for both UDP and TCP when any port will do.
constexpr int kFreePortTries = 20;

using Clock = std::chrono::steady_clock;

struct Connection {
    sockets::Handle socket;
    std::uint32_t sender;
    Clock::time_point lastHeard;
    SyslogFrameDecoder decoder;
};

}  // namespace

SyslogListener::SyslogListener(SyslogListenerEvents& events, std::uint32_t idleLimitMs)
    : events_(events), idleLimitMs_(idleLimitMs), udp_(sockets::kInvalidHandle), tcp_(sockets::kInvalidHandle) {}

SyslogListener::~SyslogListener() { Stop(); }

bool SyslogListener::Start(std::uint16_t port) {
    Stop();
    errorCode_ = 0;
    if (!sockets::StartSocketsLayer() || !OpenSockets(port)) {
        errorCode_ = sockets::LastErrorCode();
        return false;
    }
    port_ = sockets::BoundPort(tcp_);
    stopping_ = false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

bool SyslogListener::OpenSockets(std::uint16_t port) {
    for (int attempt = 0; attempt < (port == 0 ? kFreePortTries : 1); ++attempt) {
        tcp_ = sockets::OpenTcp(port);
        if (tcp_ == sockets::kInvalidHandle) return false;
        udp_ = sockets::OpenUdp(sockets::BoundPort(tcp_));
        if (udp_ != sockets::kInvalidHandle) return true;
        const int code = sockets::LastErrorCode();
        sockets::Close(tcp_);
        tcp_ = sockets::kInvalidHandle;
        if (!sockets::IsPortTakenCode(code)) break;
    }
    return false;
}

void SyslogListener::Stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    thread_.join();
    sockets::Close(udp_);
    sockets::Close(tcp_);
    udp_ = tcp_ = sockets::kInvalidHandle;
}

void SyslogListener::Run() {
    std::vector<std::unique_ptr<Connection>> connections;
    std::vector<sockets::Handle> waiting;
    std::vector<char> ready;
    std::vector<char> buffer(kBufferSize);
    const auto idleLimit = std::chrono::milliseconds(idleLimitMs_);

    while (!stopping_) {
        const bool reading = events_.AcceptsMore();
        waiting = {udp_, tcp_};
        if (reading) {
            for (const auto& connection : connections) waiting.push_back(connection->socket);
        }
        if (!sockets::WaitReadable(waiting, kWaitMs, ready)) {
            // Nothing to read while the wait fails; do not spin on it.
            std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMs));
        }
        const auto now = Clock::now();

        std::size_t size = 0;
        std::uint32_t sender = 0;
        for (int i = 0; ready[0] && i < kDatagramsPerWait; ++i) {
            if (sockets::ReceiveDatagram(udp_, buffer.data(), buffer.size(), size, sender) != sockets::Received::Data) {
                break;
            }
            // A zero-length datagram carries no message.
            if (size > 0) events_.OnSyslogMessage({buffer.data(), std::min(size, kMaxSyslogMessageSize)}, sender);
        }

        // ready[i + 2] is connection i's when the wait looked at them: its list is in the same order.
        for (std::size_t i = 0; i < connections.size(); ++i) {
            auto& connection = *connections[i];
            bool open = now - connection.lastHeard < idleLimit;
            if (reading && ready[i + 2]) {
                const auto emit = [&](std::string_view message) {
                    events_.OnSyslogMessage(message, connection.sender);
                };
                const auto received = sockets::ReceiveStream(connection.socket, buffer.data(), buffer.size(), size);
                if (received == sockets::Received::Data) {
                    connection.lastHeard = now;
                    open = connection.decoder.Feed({buffer.data(), size}, emit);
                } else if (received == sockets::Received::Closed) {
                    connection.decoder.Finish(emit);
                    open = false;
                }
            }
            if (!open) {
                sockets::Close(connection.socket);
                connection.socket = sockets::kInvalidHandle;
            }
        }
        std::erase_if(connections, [](const auto& c) { return c->socket == sockets::kInvalidHandle; });
        // After the closed ones went, so that their places are free.
        if (ready[1]) {
            for (sockets::Handle accepted; (accepted = sockets::Accept(tcp_, sender)) != sockets::kInvalidHandle;) {
                if (connections.size() >= kMaxConnections) {
                    sockets::Close(accepted);
                } else {
                    connections.push_back(std::make_unique<Connection>(Connection{accepted, sender, now, {}}));
                }
            }
        }

        events_.OnSyslogWaitEnded(false);
    }
    for (const auto& connection : connections) sockets::Close(connection->socket);
    events_.OnSyslogWaitEnded(true);
}
