#pragma once
// What every registry implementation must do alike, so that the in-memory
// one stands in for Windows faithfully. An Environment provides Port(),
// Root(), Path() (a scratch key that does not exist yet) and UpperCasePath().
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "password_scrambling.h"
#include "registry_port.h"
#include "registry_values.h"

template <class Environment>
class RegistryContract : public testing::Test {
protected:
    std::unique_ptr<RegistryKey> Create() {
        return env.Port().CreateKey(env.Root(), env.Path(), RegistryAccess::AllAccess);
    }
    std::unique_ptr<RegistryKey> Open(RegistryAccess access) { return env.Port().OpenKey(env.Root(), env.Path(), access); }

    Environment env;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, KeysAndNames) {
    EXPECT_EQ(this->Open(RegistryAccess::Read), nullptr);
    ASSERT_NE(this->Create(), nullptr);
    auto again = this->Create();  // opens the existing key
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(WriteText(*again, "refreshRate", "45"));
    auto upper = this->env.Port().OpenKey(this->env.Root(), this->env.UpperCasePath(), RegistryAccess::Read);
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(ReadText(*upper, "REFRESHRATE", 100), "45");
    EXPECT_TRUE(again->DeleteValue("RefreshRate"));
    EXPECT_EQ(ReadText(*upper, "refreshRate", 100), std::nullopt);
    EXPECT_FALSE(again->DeleteValue("refreshRate"));
}

TYPED_TEST_P(RegistryContract, EveryTypeRoundTripsByteForByteWithinItsBuffer) {
    const std::pair<const char*, RegistryValue> values[] = {
        {"number", {RegistryType::Dword, "\x78\x56\x34\x12"}},
        {"address", {RegistryType::String, std::string("127.0.0.1:8080\0", 15)}},
        {"accented", {RegistryType::String, std::string("caf\xe9\0", 5)}},
        {"empty", {RegistryType::String, std::string(1, '\0')}},
        {"bytes", {RegistryType::Binary, std::string("\x01\0\x02\0", 4)}},
        {"nothing", {RegistryType::Binary, ""}},
        {"password", {RegistryType::Binary, StoredPasswordValue("Trim")}},  // zero bytes inside
        {"quad", {static_cast<RegistryType>(11), "12345678"}}};
    auto key = this->Create();
    ASSERT_NE(key, nullptr);
    for (const auto& [name, value] : values) ASSERT_TRUE(key->SetValue(name, value)) << name;
    auto reader = this->Open(RegistryAccess::QueryValue);
    ASSERT_NE(reader, nullptr);
    for (const auto& [name, value] : values) EXPECT_EQ(reader->QueryValue(name, 100), value) << name;
    EXPECT_EQ(ReadBinary(*reader, "nothing", 0), "");  // a buffer of no bytes

    // A value larger than its buffer is unreadable.
    WriteText(*key, "fits", std::string(99, 'a'));
    WriteText(*key, "overflows", std::string(100, 'a'));
    WriteBinary(*key, "five", "12345");
    EXPECT_EQ(ReadText(*key, "fits", 100), std::string(99, 'a'));
    EXPECT_EQ(ReadText(*key, "overflows", 100), std::nullopt);
    EXPECT_EQ(ReadDword(*key, "five"), std::nullopt);
    EXPECT_EQ(ReadBinary(*key, "five", 0), std::nullopt);
    EXPECT_EQ(ReadBinary(*key, "absent", 100), std::nullopt);
}

TYPED_TEST_P(RegistryContract, AccessDecidesWhatAKeyMayDo) {
    auto key = this->Create();
    ASSERT_NE(key, nullptr);
    WriteDword(*key, "value", 1);
    auto reader = this->Open(RegistryAccess::Read);
    auto writer = this->Open(RegistryAccess::Write);
    ASSERT_NE(reader, nullptr);
    ASSERT_NE(writer, nullptr);
    EXPECT_FALSE(WriteDword(*reader, "value", 2));
    EXPECT_FALSE(reader->DeleteValue("value"));
    EXPECT_EQ(ReadDword(*writer, "value"), std::nullopt);  // KEY_WRITE cannot read
    EXPECT_TRUE(WriteDword(*writer, "value", 3));
    EXPECT_EQ(ReadDword(*reader, "value"), 3u);
}

TYPED_TEST_P(RegistryContract, PathsInAnyScriptStayTextValues) {
    const std::string path = "C:\\\xd0\x9f\xd1\x80\xd0\xbe\xd0\xb3\\Vorlane.exe";  // Cyrillic, in UTF-8
    auto key = this->Create();
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->SetUnicodeText("externalApi", path));
    EXPECT_EQ(key->QueryUnicodeText("externalApi", 260), path);
    EXPECT_EQ(key->QueryValue("externalApi", 1000)->type, RegistryType::String);
    EXPECT_EQ(key->QueryUnicodeText("externalApi", 5), std::nullopt);
    EXPECT_EQ(key->QueryUnicodeText("absent", 260), std::nullopt);
}

TYPED_TEST_P(RegistryContract, ListsOfTextsKeepEveryEntry) {
    const std::string entries("203.0.113.0/24\0\xd0\x9f\0\0", 19);  // the second one Cyrillic
    auto key = this->Create();
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->SetUnicodeTexts("ignoredAddresses", entries));
    EXPECT_EQ(key->QueryUnicodeTexts("ignoredAddresses", 100), entries);
    EXPECT_EQ(key->QueryValue("ignoredAddresses", 1000)->type, RegistryType::MultiString);
    EXPECT_EQ(key->QueryUnicodeTexts("ignoredAddresses", 10), std::nullopt);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, KeysAndNames, EveryTypeRoundTripsByteForByteWithinItsBuffer,
                            AccessDecidesWhatAKeyMayDo, PathsInAnyScriptStayTextValues, ListsOfTextsKeepEveryEntry);
