#pragma once
#include <atomic>
#include <cstdint>
#include <string_view>
#include <thread>

// What the syslog listener hands on, on its own thread.
class SyslogListenerEvents {
public:
    virtual ~SyslogListenerEvents() = default;
    // One message (at most MaxSyslogMessageSize bytes, as it came) and its
    // sender's IPv4 address, first part highest (127.0.0.1 is 0x7F000001).
    virtual void OnSyslogMessage(std::string_view message, std::uint32_t sender) = 0;
    // False while the receiver holds all it can take: connections are not
    // read meanwhile, so their senders wait instead of losing messages.
    virtual bool AcceptsMore() = 0;
    // After each wait: the messages since the last call arrived together.
    // Comes at least every SyslogListener::WaitMs, and once more with
    // stopping set as the listener's thread ends.
    virtual void OnSyslogWaitEnded(bool stopping) = 0;
};

// Receives syslog on one port over UDP and TCP (both framings), from every
// local IPv4 address, on a thread of its own. It never sends a packet. A
// datagram is one message; a TCP connection carries any number of them.
class SyslogListener {
public:
    static constexpr std::uint32_t kWaitMs = 100;
    // Connections beyond this are accepted and closed at once.
    static constexpr std::size_t kMaxConnections = 16;
    static constexpr std::uint32_t kIdleLimitMs = 5 * 60 * 1000;

    // idleLimitMs: how long a connection may stay silent before it is closed.
    explicit SyslogListener(SyslogListenerEvents& events, std::uint32_t idleLimitMs = kIdleLimitMs);
    ~SyslogListener();
    SyslogListener(const SyslogListener&) = delete;
    SyslogListener& operator=(const SyslogListener&) = delete;

    // Binds both sockets and starts the thread; port 0 takes a port free for
    // both. False, with the system's error code kept, when either socket
    // cannot be had (the port is taken, or needs rights the user lacks).
    bool Start(std::uint16_t port);
    int ErrorCode() const { return errorCode_.load(); }
    // The port listened on, once started.
    std::uint16_t Port() const { return port_.load(); }
    // Ends the thread (within about WaitMs) and closes every socket.
    void Stop();

private:
    bool OpenSockets(std::uint16_t port);
    void Run();

    SyslogListenerEvents& events_;
    const std::uint32_t idleLimitMs_;
    std::uintptr_t udp_;
    std::uintptr_t tcp_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> errorCode_{0};
    std::atomic<std::uint16_t> port_{0};
};
