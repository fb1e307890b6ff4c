#pragma once

// A listening TCP socket on 127.0.0.1 only; port 0 picks a free one.
// Returns -1 on failure.
int OpenLoopbackListener(int port);

int ListeningPort(int fd);

// A loopback port that was free a moment ago; 0 if none could be had.
int UnusedLoopbackPort();
