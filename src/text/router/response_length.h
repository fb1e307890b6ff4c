#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

// The whole size of an HTTP response (headers, blank line and body) when its
// headers are complete and carry a valid Content-Length; nothing otherwise,
// in which case only the close of the connection ends the response.
std::optional<std::size_t> ExpectedResponseSize(std::string_view received);
