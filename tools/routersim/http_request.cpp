#include "http_request.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

HttpRequest ParseHttpRequest(const std::string& raw) {
    HttpRequest request;
    request.raw = raw;
    std::string line = raw.substr(0, raw.find("\r\n"));
    std::string::size_type first = line.find(' ');
    std::string::size_type last = line.rfind(' ');
    if (first == std::string::npos) return request;
    request.target = last > first ? line.substr(first + 1, last - first - 1) : line.substr(first + 1);
    std::string::size_type question = request.target.find('?');
    request.path = request.target.substr(0, question);
    if (question != std::string::npos) request.query = request.target.substr(question + 1);
    return request;
}

std::map<std::string, std::string> ParseQuery(const std::string& query) {
    std::map<std::string, std::string> fields;
    std::string::size_type start = 0;
    while (start <= query.size()) {
        std::string::size_type end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        std::string field = query.substr(start, end - start);
        std::string::size_type equals = field.find('=');
        if (!field.empty()) {
            if (equals == std::string::npos)
                fields[UrlDecode(field)] = "";
            else
                fields[UrlDecode(field.substr(0, equals))] = UrlDecode(field.substr(equals + 1));
        }
        start = end + 1;
    }
    return fields;
}

std::string UrlDecode(const std::string& text) {
    std::string decoded;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            decoded += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}
