#pragma once
#include <cstddef>
#include <string>

#include "message_port.h"
#include "tcp_socket.h"

// One conversation partner of the router's web server, owned by one operation
// on one thread. Every request goes on a connection of its own: connect, send,
// read until the router closes (or the 10 s deadline), close.
//
// Use from the engine:
//   RouterHttpClient client(messages);
//   if (!client.Connect(address)) report(RouterHttpClient::LastErrorCode());
//   page = client.FetchLogPage(false, "");              // one poll
//   client.Connect(address); page = client.FetchLogPage(true, password);  // login
//   client.FetchStatusPage(), client.LocalAddress(), client.Logout()
// Page results beginning with "***" are error texts, not pages.
class RouterHttpClient {
public:
    // Over a fast link the 10 s deadline alone would let a router fill the memory.
    static constexpr std::size_t kMaxResponseBytes = 16 * 1024 * 1024;

    explicit RouterHttpClient(MessagePort& messages);

    // Stores the address first, also when the connect then fails. A failure
    // leaves its code as the thread's last error (see LastErrorCode). When the
    // sockets layer cannot start, says so in a message box.
    bool Connect(const std::string& routerAddress);
    bool Reconnect();
    // True only if every byte of the request went out.
    bool SendRequest(const std::string& request);
    // Everything the router sends until it closes, the 10 s deadline passes,
    // or a Content-Length is complete; zero bytes are left out. An answer
    // larger than MaxResponseBytes closes the connection at once and gives
    // ResponseTooLargeText.
    std::string ReadResponse();
    void Close();
    // Dotted local IPv4 address of the connection, without the port.
    std::string LocalAddress() const;
    // The calling thread's last sockets error: read it right after a failed
    // Connect (WSAGetLastError on Windows, errno elsewhere).
    static int LastErrorCode();

    // The log page, logging in first when `login` is set. The result, also
    // kept in pageText, is the raw response or an error text; a call after a
    // first one on the same client returns that first response unless it was
    // an error text or the login replaced it.
    std::string FetchLogPage(bool login, const std::string& password);
    // The raw status page, or "*** Error getting status ***" or ResponseTooLargeText.
    std::string FetchStatusPage();
    // Ends the router's login session; failures are silent.
    void Logout();

    std::string address;
    std::string pageText;
    // Why pageText holds an error text of the client's own, when it does.
    enum class PageError { None, Socket, PasswordRefused };
    PageError pageError = PageError::None;

private:
    bool RunLoginSequence(const std::string& password);
    void FetchLogPageOnce();

    MessagePort& messages;
    TcpSocket socket;
};
