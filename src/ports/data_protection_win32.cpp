#include "data_protection_win32.h"

#include <windows.h>
#include <wincrypt.h>

#include <limits>

#include "system_library_win32.h"

namespace {

// The API takes its input through a non-const pointer but only reads it.
DATA_BLOB InputBlob(std::string_view bytes) {
    static char none = 0;
    char* data = bytes.empty() ? &none : const_cast<char*>(bytes.data());
    return {static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(data)};
}

// CryptProtectData or CryptUnprotectData, which take the same arguments here.
template <typename Function>
std::optional<std::string> Transform(Function* transform, std::string_view bytes, std::string_view entropyText) {
    if (transform == nullptr || bytes.size() > std::numeric_limits<DWORD>::max()) return std::nullopt;
    DATA_BLOB input = InputBlob(bytes);
    DATA_BLOB entropy = InputBlob(entropyText);
    DATA_BLOB output = {};
    if (!transform(&input, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &output)) return std::nullopt;
    // The output belongs to the system's local heap until copied.
    std::string result(reinterpret_cast<const char*>(output.pbData), output.cbData);
    LocalFree(output.pbData);
    return result;
}

}  // namespace

std::optional<std::string> Win32DataProtection::Protect(std::string_view plain) {
    using ProtectFunction = decltype(CryptProtectData);
    static ProtectFunction* const protect = SystemFunction<ProtectFunction>(L"crypt32.dll", "CryptProtectData");
    return Transform(protect, plain, entropy_);
}

std::optional<std::string> Win32DataProtection::Unprotect(std::string_view protectedBytes) {
    using UnprotectFunction = decltype(CryptUnprotectData);
    static UnprotectFunction* const unprotect = SystemFunction<UnprotectFunction>(L"crypt32.dll", "CryptUnprotectData");
    return Transform(unprotect, protectedBytes, entropy_);
}
