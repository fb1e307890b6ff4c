#include "logpage/authorization_check.h"

namespace {
constexpr std::string_view kRefusalText = "Authorization Required";
}

bool IsAuthorizationRequired(std::string_view page) {
    return page.find(kRefusalText) != std::string_view::npos;
}
