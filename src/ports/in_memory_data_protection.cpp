#include "in_memory_data_protection.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace {

// Flipped bits keep the plain text out of sight in what the tests store.
constexpr char kMask = '\x5a';

std::string Masked(std::string_view bytes) {
    std::string masked(bytes);
    for (char& c : masked) c = static_cast<char>(c ^ kMask);
    return masked;
}

// FNV-1a over the marker and the masked bytes, four bytes long: a damaged byte shows.
std::string Checksum(std::string_view marker, std::string_view masked) {
    std::uint32_t hash = 2166136261u;
    for (std::string_view part : {marker, masked}) {
        for (char c : part) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((hash >> shift) & 0xff));
    return bytes;
}

std::string NextMarker() {
    static std::atomic<unsigned> instances{0};
    return "in-memory protection #" + std::to_string(++instances) + ":";
}

}  // namespace

InMemoryDataProtection::InMemoryDataProtection() : marker_(NextMarker()) {}

std::optional<std::string> InMemoryDataProtection::Protect(std::string_view plain) {
    const std::string masked = Masked(plain);
    return marker_ + Checksum(marker_, masked) + masked;
}

std::optional<std::string> InMemoryDataProtection::Unprotect(std::string_view protectedBytes) {
    constexpr std::size_t kChecksumSize = 4;
    if (protectedBytes.substr(0, marker_.size()) != marker_) return std::nullopt;
    const std::string_view rest = protectedBytes.substr(marker_.size());
    if (rest.size() < kChecksumSize) return std::nullopt;
    const std::string_view masked = rest.substr(kChecksumSize);
    if (rest.substr(0, kChecksumSize) != Checksum(marker_, masked)) return std::nullopt;
    return Masked(masked);
}
