#include "http_response.h"

std::string FrameResponse(const HttpResponse& response, bool withContentLength) {
    std::string framed = response.statusLine + "\r\n" + response.headers;
    if (withContentLength) framed += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    return framed + "\r\n" + response.body;
}

HttpResponse HtmlPage(std::string body) {
    return {"HTTP/1.0 200 OK", "Content-Type: text/html\r\nPragma: no-cache\r\n", std::move(body)};
}
