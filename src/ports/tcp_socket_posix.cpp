#include "tcp_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>


namespace {

int ToFd(std::uintptr_t handle) { return static_cast<int>(static_cast<std::intptr_t>(handle)); }

// Dotted address first, then the resolver; IPv4 only, as the router speaks.
bool ResolveIpv4(const std::string& host, in_addr& address) {
    if (inet_pton(AF_INET, host.c_str(), &address) == 1) return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

}  // namespace

bool TcpSocket::StartSocketsLayer() { return true; }

int TcpSocket::LastErrorCode() { return errno; }

bool TcpSocket::Create() {
    int fd = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (fd < 0) return false;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = 0;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
        int code = errno;
        ::close(fd);
        errno = code;
        return false;
    }
    handle_ = static_cast<std::uintptr_t>(fd);
    return true;
}

bool TcpSocket::Connect(const std::string& host, std::uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    // No server listens on port 0: refused as an unknown host is.
    if (port == 0 || !ResolveIpv4(host, target.sin_addr)) {
        errno = EINVAL;
        return false;
    }
    return ::connect(ToFd(handle_), reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0;
}

bool TcpSocket::SendAll(const char* data, std::size_t size) {
    std::size_t sent = 0;
    while (sent < size) {
        // A closed socket fails here with its own error (EBADF), which callers report.
        ssize_t n = ::send(ToFd(handle_), data + sent, size - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

TcpSocket::Wait TcpSocket::WaitReadable(std::uint32_t timeoutMs) {
    if (!IsOpen()) {
        errno = EBADF;
        return Wait::Failed;
    }
    pollfd waiting{ToFd(handle_), POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&waiting, 1, static_cast<int>(timeoutMs));
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) return Wait::Failed;
    return ready == 0 ? Wait::TimedOut : Wait::Ready;
}

std::ptrdiff_t TcpSocket::ReceiveSome(char* buffer, std::size_t capacity) {
    ssize_t n;
    do {
        n = ::recv(ToFd(handle_), buffer, capacity, 0);
    } while (n < 0 && errno == EINTR);
    return n;
}

bool TcpSocket::LocalIpv4(std::uint8_t (&bytes)[4]) const {
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::getsockname(ToFd(handle_), reinterpret_cast<sockaddr*>(&local), &size) != 0) return false;
    std::memcpy(bytes, &local.sin_addr, sizeof bytes);
    return true;
}

void TcpSocket::Close() {
    if (!IsOpen()) return;
    int code = errno;
    ::close(ToFd(handle_));
    handle_ = kInvalidHandle;
    errno = code;
}
