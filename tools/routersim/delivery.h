#pragma once
#include "http_response.h"
#include "sim_settings.h"
#include "sim_state.h"

// Sends a router answer on the connection the way the delivery mode says,
// then closes the connection. An answer with generated calls is told to the state.
void DeliverRouterAnswer(int fd, const HttpResponse& answer, const SimSettings& settings, SimState& state);

// A plain answer (control requests), then close.
void DeliverPlainAnswer(int fd, const HttpResponse& answer);

// Deterministic binary noise: zero bytes, high bytes, no HTTP at all.
std::string GarbageBytes(std::size_t size);
