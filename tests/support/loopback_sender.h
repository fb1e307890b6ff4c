#pragma once
#include <cstdint>
#include <string_view>

#include "tcp_socket.h"

// The senders of the syslog tests: 127.0.0.1 only.
bool ConnectLoopback(TcpSocket& socket, std::uint16_t port);
bool SendLoopbackDatagram(std::uint16_t port, std::string_view bytes);
// True when the other end closed the connection within the time.
bool ClosedWithin(TcpSocket& socket, std::uint32_t timeoutMs);
