#pragma once
#include <string>
#include <string_view>

// The texts of the router conversation, byte for byte.

// Ends every request; the router's server expects exactly these headers.
inline constexpr std::string_view kRequestTail =
    " HTTP/1.0\r\nConnection: Keep-Alive\r\nAccept: */*\r\nUser-Agent: Mozilla/4.0 (compatible)\r\n"
    "Extension: Security/Remote-Passphrase\r\n\r\n";

inline constexpr std::string_view kLogPagePath = "/syslog.htm";
inline constexpr std::string_view kLoginFormPagePath = "/menu.htm";
inline constexpr std::string_view kStatusPagePath = "/status.htm";
inline constexpr std::string_view kLogoutPath = "/cgi-bin/logo?RC=@";

// "GET " + path + RequestTail.
std::string FixedRequest(std::string_view path);

inline constexpr std::string_view kInvalidPasswordText = "*** Error: Invalid Admin Password";
inline constexpr std::string_view kSocketErrorPrefix = "*** Socket Error no.:";
inline constexpr std::string_view kStatusErrorText = "*** Error getting status ***";
inline constexpr std::string_view kResponseTooLargeText = "*** Error: The router's answer is larger than 16 MB.";
inline constexpr std::string_view kSocketsStartFailedText = "Windows sockets initialization failed.";

// Both present in the answer to a login request: the password was wrong.
inline constexpr std::string_view kWrongPasswordMarker1 = "assword";
inline constexpr std::string_view kWrongPasswordMarker2 = "incorrect";

// A redirect: the router wants another address.
inline constexpr std::string_view kMovedMarker = "301 Moved";
inline bool IsMovedAnswer(std::string_view answer) { return answer.find(kMovedMarker) != std::string_view::npos; }

// An answer at all: it opens with an HTTP status line. Silence, a close
// without a byte, or noise is none.
inline bool IsHttpAnswer(std::string_view answer) { return answer.starts_with("HTTP/"); }
