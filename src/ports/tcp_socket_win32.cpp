#include "tcp_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>
#include <mutex>

namespace {

SOCKET ToSocket(std::uintptr_t handle) { return static_cast<SOCKET>(handle); }

// Dotted address first, then the host-name lookup of Windows Sockets 1.1.
bool ResolveIpv4(const std::string& host, in_addr& address) {
    unsigned long dotted = inet_addr(host.c_str());
    if (dotted != INADDR_NONE) {
        address.s_addr = dotted;
        return true;
    }
    const hostent* entry = gethostbyname(host.c_str());
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == nullptr) return false;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return true;
}

}  // namespace

bool TcpSocket::StartSocketsLayer() {
    // Winsock's start-up holds for the whole process; one that failed is tried again.
    static std::mutex mutex;
    static bool started = false;
    const std::lock_guard lock(mutex);
    if (!started) {
        WSADATA data;
        started = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }
    return started;
}

int TcpSocket::LastErrorCode() { return WSAGetLastError(); }

bool TcpSocket::Create() {
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return false;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = 0;
    if (::bind(s, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
        int code = WSAGetLastError();
        ::closesocket(s);
        WSASetLastError(code);
        return false;
    }
    handle_ = static_cast<std::uintptr_t>(s);
    return true;
}

bool TcpSocket::Connect(const std::string& host, std::uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    // No server listens on port 0: refused as an unknown host is.
    if (port == 0 || !ResolveIpv4(host, target.sin_addr)) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    return ::connect(ToSocket(handle_), reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0;
}

bool TcpSocket::SendAll(const char* data, std::size_t size) {
    std::size_t sent = 0;
    while (sent < size) {
        // A closed socket fails here with its own error (WSAENOTSOCK), which callers report.
        int n = ::send(ToSocket(handle_), data + sent, static_cast<int>(size - sent), 0);
        if (n == SOCKET_ERROR || n == 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

TcpSocket::Wait TcpSocket::WaitReadable(std::uint32_t timeoutMs) {
    if (!IsOpen()) {
        WSASetLastError(WSAENOTSOCK);
        return Wait::Failed;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(ToSocket(handle_), &readable);
    timeval wait{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
    const int ready = ::select(0, &readable, nullptr, nullptr, &wait);
    if (ready == SOCKET_ERROR) return Wait::Failed;
    return ready == 0 ? Wait::TimedOut : Wait::Ready;
}

std::ptrdiff_t TcpSocket::ReceiveSome(char* buffer, std::size_t capacity) {
    return ::recv(ToSocket(handle_), buffer, static_cast<int>(capacity), 0);
}

bool TcpSocket::LocalIpv4(std::uint8_t (&bytes)[4]) const {
    sockaddr_in local{};
    int size = sizeof local;
    if (::getsockname(ToSocket(handle_), reinterpret_cast<sockaddr*>(&local), &size) != 0) return false;
    std::memcpy(bytes, &local.sin_addr, sizeof bytes);
    return true;
}

void TcpSocket::Close() {
    if (!IsOpen()) return;
    int code = WSAGetLastError();
    ::closesocket(ToSocket(handle_));
    handle_ = kInvalidHandle;
    WSASetLastError(code);
}
