#pragma once
#include "sim_state.h"

// Serves one accepted connection: one request, one answer, then close.
// Owns and closes the descriptor.
void ServeConnection(int fd, SimState& state, int port);
