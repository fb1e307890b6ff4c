#pragma once
#include <string>

// The login request built from the router's form page: "GET " + the form's
// action + "?" + its hidden fields and the password field + RequestTail.
// The password goes in exactly as given, unencoded, as the router expects it.
std::string BuildLoginRequest(const std::string& formPage, const std::string& password);

// Digits, "@" to "z" and "." stay; a space becomes "+"; every other byte
// becomes "%" and two small hexadecimal digits.
std::string UrlEncode(const std::string& text);
