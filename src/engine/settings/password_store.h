#pragma once
#include <optional>
#include <string>

#include "data_protection_port.h"
#include "registry_port.h"

// The router password in the registry: under the current user's options key
// only, protected for that user (DataProtectionPort). Earlier versions kept
// it scrambled with a fixed key ("password"), under the machine's key too,
// where every account can read it; that value is still read, and replaced at
// the next save.

struct StoredPassword {
    std::string password;
    // It came from the scrambled value: the next save protects it.
    bool scrambled = false;
};

// Nothing when none is stored, or when the protected value cannot be read
// back (another account, another computer).
std::optional<StoredPassword> LoadRouterPassword(RegistryPort& registry, const std::string& keyPath,
                                                 DataProtectionPort& protection);

// Protects the password into the user's key, creating it when missing, and
// removes the scrambled value wherever the program may. Silent.
void SaveRouterPassword(const std::string& password, RegistryPort& registry, const std::string& keyPath,
                        DataProtectionPort& protection);
