#pragma once
#include <cstddef>
#include <string>

// A router's login form is a few hundred bytes. Fields are looked for only this
// far past the action: each field's searches may run on to the form's end, so a
// hostile page of unfinished fields would otherwise keep a poll busy for minutes.
inline constexpr std::size_t kLoginFormScanLimit = 16 * 1024;

// The login request built from the router's form page: "GET " + the form's
// action + "?" + its hidden fields and the password field + RequestTail.
// The password goes in exactly as given, unencoded, as the router expects it.
std::string BuildLoginRequest(const std::string& formPage, const std::string& password);

// Digits, "@" to "z" and "." stay; a space becomes "+"; every other byte
// becomes "%" and two small hexadecimal digits.
std::string UrlEncode(const std::string& text);
