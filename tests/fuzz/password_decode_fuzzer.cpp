// The stored password decoded from any registry bytes, and every password
// through the store and back.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "password_scrambling.h"

namespace {
// A classic form restores at most nine characters from its length digit.
constexpr std::size_t ClassicFormLimit = 9;
constexpr std::size_t ClassicFormSize = 10;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes are decoded in place: a read beyond them is an overflow.
    const std::string_view bytes = FuzzInput(data, size).Rest();

    const std::string decoded = PasswordFromStoredValue(bytes);
    const std::size_t scrambledSize = bytes.ends_with('\0') ? bytes.size() - 1 : bytes.size();
    if (scrambledSize > ClassicFormSize) {
        FuzzCheck(decoded.size() == scrambledSize - 1, "the long form holds one character per byte");
    } else {
        FuzzCheck(decoded.size() <= ClassicFormLimit, "the classic form holds at most nine characters");
    }
    FuzzCheck(PasswordFromStoredValue(StoredPasswordValue(decoded)) == decoded, "a decoded password stores again");

    // The same bytes taken as a password survive the store unchanged.
    const std::string stored = StoredPasswordValue(bytes);
    FuzzCheck(!stored.empty() && stored.back() == '\0', "the stored value ends in a zero byte");
    FuzzCheck(stored.front() != '\0', "the length byte is never zero");
    FuzzCheck(PasswordFromStoredValue(stored) == bytes, "every password round-trips through the store");
    FuzzCheck(ScramblePassword(ScramblePassword(bytes, true), false) == bytes, "scrambling round-trips");
    return 0;
}
