#include "settings/password_store.h"

#include <cstddef>
#include <initializer_list>

#include "password_scrambling.h"
#include "registry_values.h"

namespace {

constexpr char kProtectedPasswordValue[] = "protectedPassword";
constexpr char kScrambledPasswordValue[] = "password";
// The protected form of the longest password an edit box takes (32767
// characters), with room for the data protection's own bytes.
constexpr std::size_t kProtectedBufferSize = 64 * 1024;
// Large enough for the scrambled form of that password, so long ones load whole.
constexpr std::size_t kScrambledBufferSize = 1 + 32767 + 1;

std::optional<std::string> ReadValue(RegistryPort& registry, RegistryRoot root, const std::string& keyPath,
                                     const char* name, std::size_t bufferSize) {
    auto key = registry.OpenKey(root, keyPath, RegistryAccess::QueryValue);
    return key ? ReadBinary(*key, name, bufferSize) : std::nullopt;
}

}  // namespace

std::optional<StoredPassword> LoadRouterPassword(RegistryPort& registry, const std::string& keyPath,
                                                 DataProtectionPort& protection) {
    if (auto blob = ReadValue(registry, RegistryRoot::CurrentUser, keyPath, kProtectedPasswordValue,
                              kProtectedBufferSize)) {
        auto password = protection.Unprotect(*blob);
        if (!password) return std::nullopt;
        return StoredPassword{std::move(*password), false};
    }
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        if (auto scrambled = ReadValue(registry, root, keyPath, kScrambledPasswordValue, kScrambledBufferSize)) {
            return StoredPassword{PasswordFromStoredValue(*scrambled), true};
        }
    }
    return std::nullopt;
}

void SaveRouterPassword(const std::string& password, RegistryPort& registry, const std::string& keyPath,
                        DataProtectionPort& protection) {
    const auto blob = protection.Protect(password);
    auto userKey = registry.CreateKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::AllAccess);
    // Without its protected form the password is not stored at all, never in the clear.
    if (!blob || !userKey || !WriteBinary(*userKey, kProtectedPasswordValue, *blob)) return;
    userKey->DeleteValue(kScrambledPasswordValue);
    if (auto machineKey = registry.OpenKey(RegistryRoot::LocalMachine, keyPath, RegistryAccess::Write)) {
        machineKey->DeleteValue(kScrambledPasswordValue);
    }
}
