#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The few calls of the platform's sockets that the syslog listener makes:
// non-blocking IPv4 sockets on every local address. Winsock on Windows, BSD
// sockets elsewhere. A failing call leaves its code for LastErrorCode.
namespace listener_sockets {

using Handle = std::uintptr_t;
inline constexpr Handle kInvalidHandle = ~Handle{0};

// Once per process; false when the sockets layer cannot start.
bool StartSocketsLayer();
// The calling thread's last sockets error (WSAGetLastError / errno).
int LastErrorCode();
// Whether a failed bind's code says the port is taken already.
bool IsPortTakenCode(int code);

// Bound to the port of every local address; TCP listening as well.
Handle OpenUdp(std::uint16_t port);
Handle OpenTcp(std::uint16_t port);
// The local port a socket is bound to; 0 when unknown.
std::uint16_t BoundPort(Handle socket);
void Close(Handle socket);

// Marks which of the sockets can be read (accepted, for a listening one)
// within the time; false when the wait failed.
bool WaitReadable(const std::vector<Handle>& sockets, std::uint32_t timeoutMs, std::vector<char>& ready);
// A connection waiting on a listening socket and its sender, or InvalidHandle.
Handle Accept(Handle listening, std::uint32_t& sender);

// What one receive brought.
enum class Received { Data, Nothing, Closed };
// One datagram, whole up to the capacity; a zero-length one is Data of size 0.
Received ReceiveDatagram(Handle socket, char* buffer, std::size_t capacity, std::size_t& size, std::uint32_t& sender);
// What a connection has: Closed when the peer closed or the connection failed.
Received ReceiveStream(Handle socket, char* buffer, std::size_t capacity, std::size_t& size);

}  // namespace listener_sockets
