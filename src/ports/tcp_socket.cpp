#include "tcp_socket.h"

#include "router/ipv4_text.h"

// What both platforms share; tcp_socket_posix.cpp and tcp_socket_win32.cpp
// hold the rest.

TcpSocket::~TcpSocket() { Close(); }

TcpSocket::ReceiveResult TcpSocket::Receive(char* buffer, std::size_t capacity, std::uint32_t timeoutMs) {
    switch (WaitReadable(timeoutMs)) {
    case Wait::Failed: return {ReceiveStatus::Failed, 0};
    case Wait::TimedOut: return {ReceiveStatus::TimedOut, 0};
    case Wait::Ready: break;
    }
    const std::ptrdiff_t count = ReceiveSome(buffer, capacity);
    if (count < 0) return {ReceiveStatus::Failed, 0};
    if (count == 0) return {ReceiveStatus::Closed, 0};
    return {ReceiveStatus::Data, static_cast<std::size_t>(count)};
}

std::string TcpSocket::LocalAddress() const {
    std::uint8_t bytes[4];
    if (!IsOpen() || !LocalIpv4(bytes)) return {};
    return FormatIpv4(bytes);
}
