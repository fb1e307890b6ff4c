#include <gtest/gtest.h>

#include <string>

#include "password_scrambling.h"

namespace {
std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }
}  // namespace

TEST(PasswordScrambling, ClassicFormToTheByte) {
    const std::string secret = Bytes({0x62, 0x27, 0x17, 0x0a, 0x1f, 0x33, 0x15, 0x1e, 0x0c, 0x19});
    EXPECT_EQ(ScramblePassword("secret", true), secret);
    EXPECT_EQ(ScramblePassword(secret, false), "secret");
    // "Trim" equals the key's start: four zero bytes, all kept.
    EXPECT_EQ(StoredPasswordValue("Trim"), Bytes({0x60, 0, 0, 0, 0, 0x37, 0x37, 0x1e, 0x0c, 0x19, 0}));
}

TEST(PasswordScrambling, EveryLengthRoundTrips) {
    const std::string source = "vX9;k Trim \xe9/TrimVasekTrimVasek-0123456789";
    for (std::size_t length = 0; length <= source.size(); ++length) {
        const std::string password = source.substr(0, length);
        const std::string scrambled = ScramblePassword(password, true);
        EXPECT_EQ(scrambled.size(), length < 10 ? 10u : 1 + length) << password;
        EXPECT_EQ(PasswordFromStoredValue(StoredPasswordValue(password)), password) << password;
    }
}

TEST(PasswordScrambling, ShortOrOddStoredValues) {
    EXPECT_EQ(PasswordFromStoredValue(std::string(1, '\0')), "");
    EXPECT_EQ(PasswordFromStoredValue("AAAAAAAAAA"), "");  // no digit first: length 0
    // Older saves stopped at the first zero byte, which stood for a character
    // equal to the key's: "Tx" was stored as its length byte alone.
    EXPECT_EQ(PasswordFromStoredValue(Bytes({0x66, 0})), "T");
    EXPECT_EQ(PasswordFromStoredValue(Bytes({0x62, 0x27, 0x17, 0x0a, 0})), "secm");
}
