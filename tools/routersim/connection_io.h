#pragma once
#include <string>

// Blocking helpers on one accepted connection (a file descriptor).

// Reads until the blank line that ends a request's headers, the peer's close,
// or the wait runs out; returns what arrived.
std::string ReadRequestHead(int fd, int timeoutMs);

// False when the peer went away.
bool SendAllBytes(int fd, const std::string& bytes);

// One byte at a time, intervalMs apart; stops when the peer goes away.
void SendDripping(int fd, const std::string& bytes, int intervalMs);

// Holds the connection without a word until the peer closes or the limit passes.
void WaitForPeerClose(int fd, int limitMs);

// Closes with a reset (RST) instead of an orderly close.
void CloseWithReset(int fd);

// Dotted address of the peer.
std::string PeerAddress(int fd);
