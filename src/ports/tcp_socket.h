#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A blocking IPv4 TCP client socket: the one place that knows the platform's
// sockets interface (Winsock on Windows, BSD sockets elsewhere).
class TcpSocket {
public:
    enum class ReceiveStatus { Data, Closed, Failed, TimedOut };
    struct ReceiveResult {
        ReceiveStatus status;
        std::size_t count;  // bytes stored, for Data only
    };

    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Starts the sockets layer for the process; later calls only say whether it runs.
    static bool StartSocketsLayer();
    // The calling thread's last sockets error (WSAGetLastError / errno).
    static int LastErrorCode();

    // A TCP stream socket bound to any local address and port.
    bool Create();
    // Resolves the host (dotted address or name) and connects. On failure the
    // code stays the thread's last error; an unknown host or port 0 is the
    // invalid-argument code. The socket stays open either way.
    bool Connect(const std::string& host, std::uint16_t port);
    // True only when every byte went out.
    bool SendAll(const char* data, std::size_t size);
    // Waits at most timeoutMs for data, a close or an error.
    ReceiveResult Receive(char* buffer, std::size_t capacity, std::uint32_t timeoutMs);
    // Dotted IPv4 address of the local end, empty when unknown.
    std::string LocalAddress() const;
    bool IsOpen() const { return handle_ != kInvalidHandle; }
    // Harmless when already closed; keeps the thread's last error as it was.
    void Close();

private:
    // The platform's side of Receive and LocalAddress.
    enum class Wait { Ready, TimedOut, Failed };
    // A closed socket fails with the platform's own error for it.
    Wait WaitReadable(std::uint32_t timeoutMs);
    // Below 0: failed; 0: the peer closed.
    std::ptrdiff_t ReceiveSome(char* buffer, std::size_t capacity);
    bool LocalIpv4(std::uint8_t (&bytes)[4]) const;

    static constexpr std::uintptr_t kInvalidHandle = ~std::uintptr_t{0};
    std::uintptr_t handle_ = kInvalidHandle;
};
