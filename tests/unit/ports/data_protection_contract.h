#pragma once
// What every data protection must do alike, so that the in-memory one stands
// in for Windows faithfully. An Environment provides Port() and Stranger(),
// a protection whose bytes Port() must refuse (another account or computer).
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "data_protection_port.h"

template <class Environment>
class DataProtectionContract : public testing::Test {
protected:
    Environment env;
};

TYPED_TEST_SUITE_P(DataProtectionContract);

TYPED_TEST_P(DataProtectionContract, RoundTripsEveryByte) {
    std::string highBytes;
    for (int c = 0x80; c <= 0xff; ++c) highBytes.push_back(static_cast<char>(c));
    for (const std::string& plain : {std::string(), std::string("vesto"), highBytes, std::string("a\0b", 3)}) {
        const auto protectedBytes = this->env.Port().Protect(plain);
        ASSERT_TRUE(protectedBytes.has_value()) << plain;
        if (plain.size() > 3) {
            EXPECT_EQ(protectedBytes->find(plain), std::string::npos) << "stored in clear";
        }
        EXPECT_EQ(this->env.Port().Unprotect(*protectedBytes), plain);
    }
}

TYPED_TEST_P(DataProtectionContract, RefusesDamagedAndStrangeBytes) {
    const std::string plain = "router password";
    const auto good = this->env.Port().Protect(plain);
    ASSERT_TRUE(good.has_value());
    // Wine's stand-in checks only the head's version and the data and signature at the end.
    for (std::size_t at : {std::size_t{0}, good->size() * 3 / 4, good->size() - 1}) {
        std::string damaged = *good;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
        EXPECT_EQ(this->env.Port().Unprotect(damaged), std::nullopt) << "byte " << at << " of " << good->size();
    }
    EXPECT_EQ(this->env.Port().Unprotect(good->substr(0, good->size() - 1)), std::nullopt);
    EXPECT_EQ(this->env.Port().Unprotect(""), std::nullopt);
    const auto strange = this->env.Stranger().Protect(plain);
    ASSERT_TRUE(strange.has_value());
    EXPECT_EQ(this->env.Port().Unprotect(*strange), std::nullopt);
    EXPECT_EQ(this->env.Stranger().Unprotect(*good), std::nullopt);
}

REGISTER_TYPED_TEST_SUITE_P(DataProtectionContract, RoundTripsEveryByte, RefusesDamagedAndStrangeBytes);
