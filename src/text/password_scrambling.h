#pragma once
#include <string>
#include <string_view>

// The router password is kept scrambled: each byte is combined with the key
// "TrimVasek" by exclusive or. One routine for both directions.
//
// Passwords of up to nine characters get the classic ten-byte form: the first
// digit of the length, then nine bytes padded with key filler. Longer ones get
// one byte per character after that digit, the key repeating, so the form's
// size (more than ten bytes) tells them apart. Decoding reads only the bytes
// it is given, whatever they hold.
std::string ScramblePassword(std::string_view text, bool encode);

// The bytes of the registry value: every scrambled byte, zero bytes included,
// and one terminating zero byte.
std::string StoredPasswordValue(std::string_view password);

// The password back from the value's bytes, judged by their size rather than
// by the first zero byte.
std::string PasswordFromStoredValue(std::string_view stored);
