#include "listener_sockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace listener_sockets {
namespace {

// Room for a burst of datagrams while the listener's thread hands on the last ones.
constexpr int kReceiveBufferBytes = 1 << 20;
// A flood of connections waits here to be accepted and closed, rather than retrying.
constexpr int kBacklog = SOMAXCONN;

int ToFd(Handle handle) { return static_cast<int>(static_cast<std::intptr_t>(handle)); }

void CloseKeepingError(int fd) {
    const int code = errno;
    ::close(fd);
    errno = code;
}

Handle Open(int type, std::uint16_t port) {
    const int fd = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return kInvalidHandle;
    const int on = 1;
    // A restart finds the old connections in TIME_WAIT; they must not keep the port.
    if (type == SOCK_STREAM) ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (type == SOCK_DGRAM) ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kReceiveBufferBytes, sizeof kReceiveBufferBytes);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = htons(port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0 ||
        (type == SOCK_STREAM && ::listen(fd, kBacklog) != 0)) {
        CloseKeepingError(fd);
        return kInvalidHandle;
    }
    return static_cast<Handle>(fd);
}

std::uint32_t SenderOf(const sockaddr_in& address) { return ntohl(address.sin_addr.s_addr); }

}  // namespace

bool StartSocketsLayer() { return true; }

int LastErrorCode() { return errno; }

bool IsPortTakenCode(int code) { return code == EADDRINUSE; }

Handle OpenUdp(std::uint16_t port) { return Open(SOCK_DGRAM, port); }

Handle OpenTcp(std::uint16_t port) { return Open(SOCK_STREAM, port); }

std::uint16_t BoundPort(Handle socket) {
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::getsockname(ToFd(socket), reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
    return ntohs(local.sin_port);
}

void Close(Handle socket) {
    if (socket != kInvalidHandle) CloseKeepingError(ToFd(socket));
}

bool WaitReadable(const std::vector<Handle>& sockets, std::uint32_t timeoutMs, std::vector<char>& ready) {
    std::vector<pollfd> waiting;
    waiting.reserve(sockets.size());
    for (const Handle socket : sockets) waiting.push_back({ToFd(socket), POLLIN, 0});
    const int count = ::poll(waiting.data(), waiting.size(), static_cast<int>(timeoutMs));
    ready.assign(sockets.size(), 0);
    if (count < 0) return errno == EINTR;
    for (std::size_t i = 0; i < waiting.size(); ++i) ready[i] = waiting[i].revents != 0;
    return true;
}

Handle Accept(Handle listening, std::uint32_t& sender) {
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    const int fd = ::accept4(ToFd(listening), reinterpret_cast<sockaddr*>(&peer), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return kInvalidHandle;
    sender = SenderOf(peer);
    return static_cast<Handle>(fd);
}

Received ReceiveDatagram(Handle socket, char* buffer, std::size_t capacity, std::size_t& size, std::uint32_t& sender) {
    sockaddr_in peer{};
    socklen_t peerSize = sizeof peer;
    ssize_t count;
    do {
        count = ::recvfrom(ToFd(socket), buffer, capacity, 0, reinterpret_cast<sockaddr*>(&peer), &peerSize);
    } while (count < 0 && errno == EINTR);
    if (count < 0) return Received::Nothing;
    size = static_cast<std::size_t>(count);
    sender = SenderOf(peer);
    return Received::Data;
}

Received ReceiveStream(Handle socket, char* buffer, std::size_t capacity, std::size_t& size) {
    ssize_t count;
    do {
        count = ::recv(ToFd(socket), buffer, capacity, 0);
    } while (count < 0 && errno == EINTR);
    if (count < 0) return errno == EAGAIN || errno == EWOULDBLOCK ? Received::Nothing : Received::Closed;
    if (count == 0) return Received::Closed;
    size = static_cast<std::size_t>(count);
    return Received::Data;
}

}  // namespace listener_sockets
