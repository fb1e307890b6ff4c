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
constexpr std::string_view FormEndMarker = "</FORM>";
constexpr std::size_t MaxPasswordLength = 63;

bool KeptByUrlEncode(unsigned char c) { return (c >= '0' && c <= '9') || (c >= '@' && c <= 'z') || c == '.'; }

bool IsUrlSafe(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return KeptByUrlEncode(static_cast<unsigned char>(c)); });
}

// With a plain password every byte of the fields is encoded or a separator,
// each assignment holds one "=", and the last "&" is gone.
void CheckFields(std::string_view fields, std::string_view password) {
    if (fields.empty() || !IsUrlSafe(password)) return;
    FuzzCheck(std::all_of(fields.begin(), fields.end(),
                          [](char c) { return KeptByUrlEncode(static_cast<unsigned char>(c)) || std::strchr("%+=&", c); }),
              "fields are encoded");
    FuzzCheck(std::count(fields.begin(), fields.end(), '=') == std::count(fields.begin(), fields.end(), '&') + 1,
              "one \"=\" per field");
    FuzzCheck(fields.back() != '&', "the last \"&\" is removed");
}

void CheckRequest(const std::string& formPage, const std::string& password, const std::string& request) {
    FuzzCheck(request.starts_with(RequestStart), "request starts with GET");
    FuzzCheck(request.ends_with(RequestTail) && request.size() >= RequestStart.size() + RequestTail.size(),
              "request ends with the fixed headers");
    const std::string_view target =
        std::string_view(request).substr(RequestStart.size(), request.size() - RequestStart.size() - RequestTail.size());

    const auto action = formPage.find(ActionMarker);
    const auto actionEnd = action == std::string::npos ? action : formPage.find(' ', action);
    if (actionEnd == std::string::npos) {
        FuzzCheck(target.empty(), "no action, empty path");
        return;
    }
    const auto actionStart = action + ActionMarker.size();
    const std::string_view path = std::string_view(formPage).substr(actionStart, actionEnd - actionStart);
    FuzzCheck(target.starts_with(path), "the path is the form's action");
    const auto query = target.substr(path.size());
    if (formPage.find(FormEndMarker, action) == std::string::npos) {
        FuzzCheck(query == "?", "no form end, bare question mark");
        return;
    }
    FuzzCheck(query.empty() || (query.front() == '?' && query.size() > 1), "fields follow a question mark");
    CheckFields(query.empty() ? query : query.substr(1), password);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string password(input.Take(input.Byte() % (MaxPasswordLength + 1)));
    const std::string formPage(input.Rest());

    CheckRequest(formPage, password, BuildLoginRequest(formPage, password));
    return 0;
}
