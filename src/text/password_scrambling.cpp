#include "password_scrambling.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::string_view kScrambleKey = "TrimVasek";
// Length digit plus one byte per key character.
constexpr std::size_t kClassicFormSize = 1 + kScrambleKey.size();

char Combine(char a, char b) { return static_cast<char>(a ^ b); }

// K[9], the key text's terminator, is the zero byte.
char KeyTextByte(std::size_t index) { return index < kScrambleKey.size() ? kScrambleKey[index] : '\0'; }

char RepeatedKeyByte(std::size_t index) { return kScrambleKey[index % kScrambleKey.size()]; }

std::string Encode(std::string_view password) {
    std::string scrambled;
    scrambled.push_back(Combine(std::to_string(password.size()).front(), kScrambleKey[0]));
    const std::size_t count = std::max(password.size(), kScrambleKey.size());
    for (std::size_t i = 0; i < count; ++i) {
        const char plain = i < password.size() ? password[i] : KeyTextByte(kScrambleKey.size() - i);
        scrambled.push_back(Combine(plain, RepeatedKeyByte(i)));
    }
    return scrambled;
}

std::size_t LengthFromDigit(char scrambledDigit) {
    const char digit = Combine(scrambledDigit, kScrambleKey[0]);
    return digit >= '0' && digit <= '9' ? static_cast<std::size_t>(digit - '0') : 0;
}

std::string DecodeClassicForm(std::string_view scrambled) {
    std::string password;
    if (scrambled.empty()) return password;
    const std::size_t length = LengthFromDigit(scrambled[0]);
    for (std::size_t i = 0; i < length; ++i) {
        if (i + 1 < scrambled.size()) {
            password.push_back(Combine(scrambled[i + 1], kScrambleKey[i]));
        } else {
            // Older saves stopped at the first zero byte, which stands for a
            // character equal to the key's; what followed it is lost.
            password.push_back(kScrambleKey[i]);
            break;
        }
    }
    return password;
}

std::string DecodeLongForm(std::string_view scrambled) {
    std::string password;
    for (std::size_t i = 1; i < scrambled.size(); ++i) password.push_back(Combine(scrambled[i], RepeatedKeyByte(i - 1)));
    return password;
}

std::string Decode(std::string_view scrambled) {
    return scrambled.size() > kClassicFormSize ? DecodeLongForm(scrambled) : DecodeClassicForm(scrambled);
}

}  // namespace

std::string ScramblePassword(std::string_view text, bool encode) { return encode ? Encode(text) : Decode(text); }

std::string StoredPasswordValue(std::string_view password) {
    std::string stored = ScramblePassword(password, true);
    stored.push_back('\0');
    return stored;
}

std::string PasswordFromStoredValue(std::string_view stored) {
    if (!stored.empty() && stored.back() == '\0') stored.remove_suffix(1);
    return ScramblePassword(stored, false);
}
