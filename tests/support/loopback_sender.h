#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "tcp_socket.h"

// The test side of the syslog listener's tests: a TCP connection and UDP
// datagrams to 127.0.0.1 only.
class LoopbackConnection {
public:
    explicit LoopbackConnection(std::uint16_t port) {
        TcpSocket::StartSocketsLayer();
        connected_ = socket_.Create() && socket_.Connect("127.0.0.1", port);
    }
    bool Connected() const { return connected_; }
    bool Send(std::string_view bytes) { return socket_.SendAll(bytes.data(), bytes.size()); }
    // True when the listener closed the connection within the time.
    bool ClosedWithin(std::uint32_t timeoutMs) {
        char byte;
        return socket_.Receive(&byte, 1, timeoutMs).status != TcpSocket::ReceiveStatus::TimedOut;
    }
    void Close() { socket_.Close(); }

private:
    TcpSocket socket_;
    bool connected_ = false;
};

// One datagram of any size (zero too) to 127.0.0.1.
bool SendLoopbackDatagram(std::uint16_t port, std::string_view bytes);
