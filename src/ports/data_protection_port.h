#pragma once
#include <optional>
#include <string>
#include <string_view>

// Keeps a secret (the router password) so that only the same account on the
// same computer can read it back. Nothing on failure: Unprotect fails for
// bytes made by another account or computer, or damaged.
class DataProtectionPort {
public:
    virtual ~DataProtectionPort() = default;

    virtual std::optional<std::string> Protect(std::string_view plain) = 0;
    virtual std::optional<std::string> Unprotect(std::string_view protectedBytes) = 0;
};
