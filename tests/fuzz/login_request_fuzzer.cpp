// The login request built from any form page and password.
// Input: the password's length (one byte), the password, then the form page.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "router/login_request.h"
#include "router/router_requests.h"

namespace {
constexpr std::string_view RequestStart = "GET ";
constexpr std::string_view ActionMarker = "ACTION=";

bool KeptByUrlEncode(char c) { return (c >= '0' && c <= '9') || (c >= '@' && c <= 'z') || c == '.'; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string password(input.Take(input.Byte() % 64));
    const std::string formPage(input.Rest());
    const std::string request = BuildLoginRequest(formPage, password);

    FuzzCheck(request.starts_with(RequestStart) && request.ends_with(kRequestTail) &&
                  request.size() >= RequestStart.size() + kRequestTail.size(),
              "GET, then the fixed headers at the end");
    const std::string_view target =
        std::string_view(request).substr(RequestStart.size(), request.size() - RequestStart.size() - kRequestTail.size());
    const auto action = formPage.find(ActionMarker);
    const auto actionEnd = action == std::string::npos ? action : formPage.find(' ', action);
    if (actionEnd == std::string::npos) {
        FuzzCheck(target.empty(), "no action, empty path");
        return 0;
    }
    const auto path = std::string_view(formPage).substr(action + ActionMarker.size(), actionEnd - action - ActionMarker.size());
    FuzzCheck(target.starts_with(path), "the path is the form's action");

    // With a plain password every byte of the fields is encoded or a
    // separator, each field holds one "=", and the last "&" is gone.
    const auto query = target.substr(path.size());
    if (query.size() < 2 || !std::all_of(password.begin(), password.end(), KeptByUrlEncode)) return 0;
    const auto fields = query.substr(1);
    FuzzCheck(query.front() == '?', "fields follow a question mark");
    FuzzCheck(std::all_of(fields.begin(), fields.end(), [](char c) { return KeptByUrlEncode(c) || std::strchr("%+=&", c); }),
              "fields are encoded");
    FuzzCheck(std::count(fields.begin(), fields.end(), '=') == std::count(fields.begin(), fields.end(), '&') + 1,
              "one \"=\" per field");
    return 0;
}
