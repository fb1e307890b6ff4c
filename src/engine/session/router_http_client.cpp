#include "session/router_http_client.h"

#include <algorithm>
#include <chrono>

#include "router/response_length.h"
#include "router/router_address.h"
#include "router/router_requests.h"

namespace {

constexpr std::chrono::milliseconds kResponseDeadline{10000};
// A few KB per receive reads a page at the speed the wire delivers it.
constexpr std::size_t kReceiveBufferSize = 8192;

std::uint32_t MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<std::uint32_t>(left.count()) : 0;
}

// Tells when a response whose headers carry a Content-Length is complete;
// without one, only the close or the deadline ends it.
class ResponseEnd {
public:
    bool Reached(const std::string& received) {
        if (!headersSeen_) {
            // Search only the new bytes (and the three before them) for the blank line.
            headersSeen_ = received.find("\r\n\r\n", searchFrom_) != std::string::npos;
            searchFrom_ = received.size() < 3 ? 0 : received.size() - 3;
            if (headersSeen_) expectedSize_ = ExpectedResponseSize(received);
        }
        return expectedSize_ && received.size() >= *expectedSize_;
    }

private:
    bool headersSeen_ = false;
    std::size_t searchFrom_ = 0;
    std::optional<std::size_t> expectedSize_;
};

// A zero byte in a page ends nothing: it is dropped alone.
std::string WithoutZeroBytes(std::string received) {
    std::erase(received, '\0');
    return received;
}

}  // namespace

RouterHttpClient::RouterHttpClient(MessagePort& messages) : messages(messages) {}

bool RouterHttpClient::Connect(const std::string& routerAddress) {
    address = routerAddress;
    if (!TcpSocket::StartSocketsLayer()) {
        messages.ShowMessage(std::string(kSocketsStartFailedText), MessageButtons::Ok);
        return false;
    }
    socket.Close();  // never leak a connection left open by a caller
    if (!socket.Create()) return false;
    RouterAddress target = SplitRouterAddress(address);
    // The split leaves no port past 16 bits; port 0 the socket refuses.
    if (socket.Connect(target.host, static_cast<std::uint16_t>(target.port))) return true;
    socket.Close();
    return false;
}

bool RouterHttpClient::Reconnect() { return Connect(address); }

bool RouterHttpClient::SendRequest(const std::string& request) {
    return socket.SendAll(request.data(), request.size());
}

std::string RouterHttpClient::ReadResponse() {
    auto deadline = std::chrono::steady_clock::now() + kResponseDeadline;
    std::string received;
    ResponseEnd end;
    char buffer[kReceiveBufferSize];
    for (;;) {
        // One byte past the limit tells a larger answer from one of the limit's size.
        const std::size_t room = std::min(sizeof buffer, kMaxResponseBytes + 1 - received.size());
        TcpSocket::ReceiveResult result = socket.Receive(buffer, room, MillisecondsLeft(deadline));
        if (result.status != TcpSocket::ReceiveStatus::Data) break;
        received.append(buffer, result.count);
        if (received.size() > kMaxResponseBytes) {
            // Reading on would only keep us busy until the deadline.
            Close();
            return std::string(kResponseTooLargeText);
        }
        if (end.Reached(received) || std::chrono::steady_clock::now() > deadline) break;
    }
    return WithoutZeroBytes(std::move(received));
}

void RouterHttpClient::Close() { socket.Close(); }

std::string RouterHttpClient::LocalAddress() const { return socket.LocalAddress(); }

int RouterHttpClient::LastErrorCode() { return TcpSocket::LastErrorCode(); }
