#pragma once
#include <map>
#include <string>

// A request as the simulator needs it: the target split into path and query.
struct HttpRequest {
    std::string raw;
    std::string target;  // between the method and the version, spaces included
    std::string path;
    std::string query;   // after the "?", undecoded
};

// Request line "METHOD target VERSION": the target runs to the last space, so
// an unencoded password with blanks stays inside it.
HttpRequest ParseHttpRequest(const std::string& raw);

// "a=1&b=x+y" to its decoded fields.
std::map<std::string, std::string> ParseQuery(const std::string& query);

std::string UrlDecode(const std::string& text);
