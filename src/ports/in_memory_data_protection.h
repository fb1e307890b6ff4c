#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "data_protection_port.h"

// Data protection for native tests and tools. Reversible, not secret; it
// takes back only bytes this very instance made, whole, so a second
// instance stands for another account or computer.
class InMemoryDataProtection : public DataProtectionPort {
public:
    InMemoryDataProtection();

    std::optional<std::string> Protect(std::string_view plain) override;
    std::optional<std::string> Unprotect(std::string_view protectedBytes) override;

private:
    const std::string marker_;  // this instance's, at the head of its bytes
};
