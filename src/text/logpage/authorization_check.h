#pragma once
#include <string_view>

// True for the router's refusal page.
bool IsAuthorizationRequired(std::string_view page);
