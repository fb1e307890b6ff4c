#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry_port.h"

// Typed reads and writes of single values. The stored type is not checked
// on reading; a value larger than its read buffer counts as unreadable.

// Four bytes, least significant first; fewer stored bytes are the low ones.
std::optional<std::uint32_t> ReadDword(RegistryKey& key, const std::string& name);
// The stored characters up to the first zero byte.
std::optional<std::string> ReadText(RegistryKey& key, const std::string& name, std::size_t bufferSize);
std::optional<std::string> ReadBinary(RegistryKey& key, const std::string& name, std::size_t bufferSize);

bool WriteDword(RegistryKey& key, const std::string& name, std::uint32_t value);
// REG_SZ: the characters and one zero byte.
bool WriteText(RegistryKey& key, const std::string& name, const std::string& text);
bool WriteBinary(RegistryKey& key, const std::string& name, const std::string& bytes);

std::string LittleEndianBytes(std::uint32_t value);
std::uint32_t FromLittleEndianBytes(std::string_view bytes);
