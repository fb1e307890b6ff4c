#include "registry_port_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "unicode_text_win32.h"

namespace {

HKEY RootHandle(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM AccessMask(RegistryAccess access) {
    switch (access) {
    case RegistryAccess::QueryValue: return KEY_QUERY_VALUE;
    case RegistryAccess::Read: return KEY_READ;
    case RegistryAccess::Write: return KEY_WRITE;
    case RegistryAccess::AllAccess: return KEY_ALL_ACCESS;
    }
    return KEY_READ;
}

class Win32RegistryKey : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    ~Win32RegistryKey() override { RegCloseKey(key_); }
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

    std::optional<RegistryValue> QueryValue(const std::string& name, std::size_t bufferSize) override {
        bufferSize = std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max());
        // data() is never null, even for a zero-size buffer: with a null
        // pointer the call reports success and the size of any data.
        std::string buffer(bufferSize, '\0');
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(bufferSize);
        const LONG result = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result != ERROR_SUCCESS || size > bufferSize) return std::nullopt;
        buffer.resize(size);
        return RegistryValue{static_cast<RegistryType>(type), std::move(buffer)};
    }

    bool SetValue(const std::string& name, const RegistryValue& value) override {
        if (static_cast<std::uint64_t>(value.data.size()) > std::numeric_limits<DWORD>::max()) return false;
        return RegSetValueExA(key_, name.c_str(), 0, static_cast<DWORD>(value.type),
                              reinterpret_cast<const BYTE*>(value.data.data()),
                              static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
    }

    std::optional<std::string> QueryUnicodeText(const std::string& name, std::size_t maxCharacters) override {
        const auto wide = QueryWide(name, maxCharacters);
        if (!wide) return std::nullopt;
        return Utf8FromWide(wide->substr(0, wide->find(L'\0')));
    }

    bool SetUnicodeText(const std::string& name, const std::string& text) override {
        return SetWide(name, REG_SZ, WideFromUtf8(text) + L'\0');
    }

    std::optional<std::string> QueryUnicodeTexts(const std::string& name, std::size_t maxCharacters) override {
        const auto wide = QueryWide(name, maxCharacters);
        if (!wide) return std::nullopt;
        return Utf8FromWide(*wide);
    }

    bool SetUnicodeTexts(const std::string& name, const std::string& entries) override {
        return SetWide(name, REG_MULTI_SZ, WideFromUtf8(entries));
    }

    bool DeleteValue(const std::string& name) override { return RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS; }

private:
    // The value's characters as stored, terminators and all.
    std::optional<std::wstring> QueryWide(const std::string& name, std::size_t maxCharacters) {
        std::wstring buffer(std::min<std::size_t>(maxCharacters, std::numeric_limits<DWORD>::max() / 2), L'\0');
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key_, WideFromUtf8(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        buffer.resize(size / sizeof(wchar_t));
        return buffer;
    }

    bool SetWide(const std::string& name, DWORD type, const std::wstring& data) {
        const DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        return RegSetValueExW(key_, WideFromUtf8(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                              size) == ERROR_SUCCESS;
    }

    HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(RootHandle(root), path.c_str(), 0, AccessMask(access), &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, const std::string& path, RegistryAccess access) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, AccessMask(access),
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key);
}
