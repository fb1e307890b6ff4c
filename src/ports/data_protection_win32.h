#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "data_protection_port.h"

// Mixed into every protection, so that bytes another program protected for
// this user do not pass for ours, nor ours for its.
inline constexpr char kRouterPasswordEntropy[] = "Vorlane router password";

// The Windows data protection API for the current user, never prompting.
// crypt32 is loaded from the system folder when first needed; without it
// every call fails.
class Win32DataProtection : public DataProtectionPort {
public:
    explicit Win32DataProtection(std::string entropy = kRouterPasswordEntropy) : entropy_(std::move(entropy)) {}

    std::optional<std::string> Protect(std::string_view plain) override;
    std::optional<std::string> Unprotect(std::string_view protectedBytes) override;

private:
    const std::string entropy_;
};
