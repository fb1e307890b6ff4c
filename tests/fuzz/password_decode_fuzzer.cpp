// The stored password decoded from any registry bytes, and every password
// through the store and back.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "password_scrambling.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes are decoded in place: a read beyond them is an overflow.
    const std::string_view bytes = FuzzInput(data, size).Rest();
    const std::string decoded = PasswordFromStoredValue(bytes);
    FuzzCheck(PasswordFromStoredValue(StoredPasswordValue(decoded)) == decoded, "a decoded password stores again");

    // The same bytes taken as a password survive the store unchanged.
    const std::string stored = StoredPasswordValue(bytes);
    FuzzCheck(stored.size() > 1 && stored.front() != '\0' && stored.back() == '\0', "length byte, then a zero at the end");
    FuzzCheck(PasswordFromStoredValue(stored) == bytes, "every password round-trips through the store");
    return 0;
}
