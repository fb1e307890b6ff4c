#include "logpage/authorization_check.h"

namespace {
constexpr std::string_view RefusalText = "Authorization Required";
}

bool IsAuthorizationRequired(std::string_view page) {
    return page.find(RefusalText) != std::string_view::npos;
}
