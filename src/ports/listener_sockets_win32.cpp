#include "listener_sockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include "tcp_socket.h"

namespace listener_sockets {
namespace {

constexpr int kReceiveBufferBytes = 1 << 20;
// A flood of connections waits here to be accepted and closed, rather than retrying.
constexpr int kBacklog = SOMAXCONN;

SOCKET ToSocket(Handle handle) { return static_cast<SOCKET>(handle); }

void CloseKeepingError(SOCKET s) {
    const int code = WSAGetLastError();
    ::closesocket(s);
    WSASetLastError(code);
}

bool MakeNonBlocking(SOCKET s) {
    u_long on = 1;
    return ::ioctlsocket(s, FIONBIO, &on) == 0;
}

Handle Open(int type, std::uint16_t port) {
    const SOCKET s = ::socket(AF_INET, type, 0);
    if (s == INVALID_SOCKET) return kInvalidHandle;
    const BOOL on = TRUE;
    // Without it another program could bind the same port and take our traffic.
    ::setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on), sizeof on);
    if (type == SOCK_DGRAM) {
        ::setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&kReceiveBufferBytes),
                     sizeof kReceiveBufferBytes);
    }
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = htons(port);
    if (::bind(s, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0 ||
        (type == SOCK_STREAM && ::listen(s, kBacklog) != 0) || !MakeNonBlocking(s)) {
        CloseKeepingError(s);
        return kInvalidHandle;
    }
    return static_cast<Handle>(s);
}

std::uint32_t SenderOf(const sockaddr_in& address) { return ntohl(address.sin_addr.s_addr); }

}  // namespace

bool StartSocketsLayer() { return TcpSocket::StartSocketsLayer(); }

int LastErrorCode() { return WSAGetLastError(); }

// A port held with SO_EXCLUSIVEADDRUSE refuses with WSAEACCES.
bool IsPortTakenCode(int code) { return code == WSAEADDRINUSE || code == WSAEACCES; }

Handle OpenUdp(std::uint16_t port) { return Open(SOCK_DGRAM, port); }

Handle OpenTcp(std::uint16_t port) { return Open(SOCK_STREAM, port); }

std::uint16_t BoundPort(Handle socket) {
    sockaddr_in local{};
    int size = sizeof local;
    if (::getsockname(ToSocket(socket), reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
    return ntohs(local.sin_port);
}

void Close(Handle socket) {
    if (socket != kInvalidHandle) CloseKeepingError(ToSocket(socket));
}

bool WaitReadable(const std::vector<Handle>& sockets, std::uint32_t timeoutMs, std::vector<char>& ready) {
    // The listener waits on at most its two sockets and its connections, well within FD_SETSIZE.
    fd_set readable;
    FD_ZERO(&readable);
    for (const Handle socket : sockets) FD_SET(ToSocket(socket), &readable);
    timeval wait{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
    const int count = ::select(0, &readable, nullptr, nullptr, &wait);
    ready.assign(sockets.size(), 0);
    if (count == SOCKET_ERROR) return false;
    for (std::size_t i = 0; i < sockets.size(); ++i) ready[i] = FD_ISSET(ToSocket(sockets[i]), &readable) != 0;
    return true;
}

Handle Accept(Handle listening, std::uint32_t& sender) {
    sockaddr_in peer{};
    int size = sizeof peer;
    const SOCKET s = ::accept(ToSocket(listening), reinterpret_cast<sockaddr*>(&peer), &size);
    if (s == INVALID_SOCKET) return kInvalidHandle;
    if (!MakeNonBlocking(s)) {
        CloseKeepingError(s);
        return kInvalidHandle;
    }
    sender = SenderOf(peer);
    return static_cast<Handle>(s);
}

Received ReceiveDatagram(Handle socket, char* buffer, std::size_t capacity, std::size_t& size, std::uint32_t& sender) {
    sockaddr_in peer{};
    int peerSize = sizeof peer;
    const int count = ::recvfrom(ToSocket(socket), buffer, static_cast<int>(capacity), 0,
                                 reinterpret_cast<sockaddr*>(&peer), &peerSize);
    if (count == SOCKET_ERROR) return Received::Nothing;
    size = static_cast<std::size_t>(count);
    sender = SenderOf(peer);
    return Received::Data;
}

Received ReceiveStream(Handle socket, char* buffer, std::size_t capacity, std::size_t& size) {
    const int count = ::recv(ToSocket(socket), buffer, static_cast<int>(capacity), 0);
    if (count == SOCKET_ERROR) return WSAGetLastError() == WSAEWOULDBLOCK ? Received::Nothing : Received::Closed;
    if (count == 0) return Received::Closed;
    size = static_cast<std::size_t>(count);
    return Received::Data;
}

}  // namespace listener_sockets
