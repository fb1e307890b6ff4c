#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

enum class RegistryRoot { LocalMachine, CurrentUser };

// The access masks the program asks for (KEY_QUERY_VALUE, KEY_READ,
// KEY_WRITE, KEY_ALL_ACCESS). KEY_WRITE does not allow reading.
enum class RegistryAccess { QueryValue, Read, Write, AllAccess };

// Value types with their Win32 numbers; other numbers pass through unchanged.
enum class RegistryType : std::uint32_t { String = 1, Binary = 3, Dword = 4, MultiString = 7 };

struct RegistryValue {
    RegistryType type = RegistryType::Binary;
    std::string data;  // the raw bytes as stored

    bool operator==(const RegistryValue&) const = default;
};

// An open key; destroying it closes it.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Nothing when the value is absent, the key was not opened for reading,
    // or the data are larger than bufferSize bytes.
    virtual std::optional<RegistryValue> QueryValue(const std::string& name, std::size_t bufferSize) = 0;
    virtual bool SetValue(const std::string& name, const RegistryValue& value) = 0;
    // A REG_SZ text given and taken in UTF-8, kept in the registry through the
    // wide-character calls: for paths, which may hold any script. Nothing
    // when absent or longer than maxCharacters with its terminator.
    virtual std::optional<std::string> QueryUnicodeText(const std::string& name, std::size_t maxCharacters) = 0;
    virtual bool SetUnicodeText(const std::string& name, const std::string& text) = 0;
    // A REG_MULTI_SZ list of texts the same way: its entries in UTF-8, each
    // followed by a zero byte, then one more (multi_string.h reads and
    // makes them). Nothing when absent or longer than maxCharacters.
    virtual std::optional<std::string> QueryUnicodeTexts(const std::string& name, std::size_t maxCharacters) = 0;
    virtual bool SetUnicodeTexts(const std::string& name, const std::string& entries) = 0;
    // False also when the value was not there.
    virtual bool DeleteValue(const std::string& name) = 0;
};

// The registry as the settings store sees it. Key paths and value names are
// compared without regard to letter case, as Windows does.
class RegistryPort {
public:
    virtual ~RegistryPort() = default;

    // Null when the key is missing or the access is refused.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) = 0;
    // Opens the key, creating it and its missing parents first (non-volatile,
    // default security). Null when refused.
    virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path, RegistryAccess access) = 0;
};
