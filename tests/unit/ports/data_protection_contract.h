#pragma once
// What every data protection must do alike, so that the in-memory one stands
// in for Windows faithfully. An Environment holds `port` and `stranger`, a
// protection whose bytes `port` must refuse (another account or computer).
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
    for (const std::string& plain : {std::string(), std::string("a\0b", 3), highBytes}) {
        const auto protectedBytes = this->env.port.Protect(plain);
        ASSERT_TRUE(protectedBytes.has_value());
        EXPECT_EQ(this->env.port.Unprotect(*protectedBytes), plain);
    }
}

TYPED_TEST_P(DataProtectionContract, RefusesDamagedAndStrangeBytes) {
    const auto good = this->env.port.Protect("router password");
    const auto strange = this->env.stranger.Protect("router password");
    ASSERT_TRUE(good.has_value() && strange.has_value());
    // Wine's stand-in checks only the head's version and the data and signature at the end.
    for (std::size_t at : {std::size_t{0}, good->size() * 3 / 4, good->size() - 1}) {
        std::string damaged = *good;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
        EXPECT_EQ(this->env.port.Unprotect(damaged), std::nullopt) << "byte " << at << " of " << good->size();
    }
    EXPECT_EQ(this->env.port.Unprotect(good->substr(0, good->size() - 1)), std::nullopt);
    EXPECT_EQ(this->env.port.Unprotect(*strange), std::nullopt);
    EXPECT_EQ(this->env.stranger.Unprotect(*good), std::nullopt);
}

REGISTER_TYPED_TEST_SUITE_P(DataProtectionContract, RoundTripsEveryByte, RefusesDamagedAndStrangeBytes);
