#pragma once
#include <string>

// Log pages as the router writes them, for tests.
inline std::string L1(const std::string& text) {
    return "L1('" + text + "');\n";
}

// The router puts a blank after the quote; the age is in milliseconds.
inline std::string L2(long long ageMs, const std::string& message) {
    return "L2(" + std::to_string(ageMs) + ",' " + message + "');\n";
}

inline std::string LogPage(const std::string& calls) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<HTML><BODY>WAN Type: PPPoE <BR><BR><PRE>" + calls +
           "</PRE></BODY></HTML>";
}
