#include "support/loopback_sender.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
using SocketHandle = SOCKET;
constexpr SocketHandle NoSocket = INVALID_SOCKET;
void CloseSocket(SocketHandle s) { closesocket(s); }
#else
using SocketHandle = int;
constexpr SocketHandle NoSocket = -1;
void CloseSocket(SocketHandle s) { close(s); }
#endif
}  // namespace

bool ConnectLoopback(TcpSocket& socket, std::uint16_t port) {
    TcpSocket::StartSocketsLayer();
    return socket.Create() && socket.Connect("127.0.0.1", port);
}

bool ClosedWithin(TcpSocket& socket, std::uint32_t timeoutMs) {
    char byte;
    return socket.Receive(&byte, 1, timeoutMs).status != TcpSocket::ReceiveStatus::TimedOut;
}

bool SendLoopbackDatagram(std::uint16_t port, std::string_view bytes) {
    TcpSocket::StartSocketsLayer();
    const SocketHandle s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s == NoSocket) return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto sent = sendto(s, bytes.data(), static_cast<int>(bytes.size()), 0,
                             reinterpret_cast<const sockaddr*>(&target), sizeof target);
    CloseSocket(s);
    return sent >= 0 && static_cast<std::size_t>(sent) == bytes.size();
}
