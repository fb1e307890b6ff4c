#pragma once
#include <string>

#include "http_request.h"
#include "http_response.h"
#include "sim_state.h"

// Answers one router request the way the router's web server would, changing
// the login state where the request does.
HttpResponse AnswerRouterRequest(const HttpRequest& request, SimState& state, const std::string& clientAddress, int port);
