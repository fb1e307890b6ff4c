#include "router/router_requests.h"

std::string FixedRequest(std::string_view path) {
    std::string request = "GET ";
    request += path;
    request += kRequestTail;
    return request;
}
