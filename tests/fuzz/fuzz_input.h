#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Reads a target's parameters from the front of a fuzz input; what is left is
// the text under test. Past the end every read gives zeros, so short inputs
// still run with default parameters.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : text_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() { return text_.empty() ? 0 : static_cast<std::uint8_t>(Take(1).front()); }
    // Little-endian, so corpus files can be written by hand.
    std::uint32_t Uint32() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) value |= std::uint32_t{Byte()} << shift;
        return value;
    }
    std::string_view Take(std::size_t count) {
        const auto taken = text_.substr(0, count);
        text_.remove_prefix(taken.size());
        return taken;
    }
    // Views the caller's buffer itself, so a read past its end is caught.
    std::string_view Rest() const { return text_; }

private:
    std::string_view text_;
};

// A broken invariant is a finding like a crash: abort, so that libFuzzer keeps
// the input and reports it.
inline void FuzzCheck(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}
