#include "registry_values.h"

namespace {
constexpr std::size_t kDwordSize = 4;
}

std::string LittleEndianBytes(std::uint32_t value) {
    std::string bytes;
    for (std::size_t i = 0; i < kDwordSize; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::uint32_t FromLittleEndianBytes(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size() && i < kDwordSize; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return value;
}

std::optional<std::uint32_t> ReadDword(RegistryKey& key, const std::string& name) {
    const auto value = key.QueryValue(name, kDwordSize);
    if (!value) return std::nullopt;
    return FromLittleEndianBytes(value->data);
}

std::optional<std::string> ReadText(RegistryKey& key, const std::string& name, std::size_t bufferSize) {
    const auto value = key.QueryValue(name, bufferSize);
    if (!value) return std::nullopt;
    return value->data.substr(0, value->data.find('\0'));
}

std::optional<std::string> ReadBinary(RegistryKey& key, const std::string& name, std::size_t bufferSize) {
    auto value = key.QueryValue(name, bufferSize);
    if (!value) return std::nullopt;
    return std::move(value->data);
}

bool WriteDword(RegistryKey& key, const std::string& name, std::uint32_t value) {
    return key.SetValue(name, {RegistryType::Dword, LittleEndianBytes(value)});
}

bool WriteText(RegistryKey& key, const std::string& name, const std::string& text) {
    return key.SetValue(name, {RegistryType::String, text + '\0'});
}

bool WriteBinary(RegistryKey& key, const std::string& name, const std::string& bytes) {
    return key.SetValue(name, {RegistryType::Binary, bytes});
}
