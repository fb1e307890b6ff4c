#pragma once
#include <string>

struct HttpResponse {
    std::string statusLine;  // e.g. "HTTP/1.0 200 OK"
    std::string headers;     // each line ending in "\r\n"
    std::string body;
};

// Status line, headers, an optional Content-Length, blank line, body.
std::string FrameResponse(const HttpResponse& response, bool withContentLength);

HttpResponse HtmlPage(std::string body);
