#include <gtest/gtest.h>

#include "intruders/quiet_repeats.h"

namespace {
constexpr std::uint32_t A = 0xCB007101, B = 0xCB007102, C = 0xCB007103;
}

TEST(QuietRepeats, EachAddressAlertsOncePerPeriodAndNewOnesAtOnce) {
    const struct {
        std::vector<std::uint32_t> addresses;
        std::int64_t now;
        std::uint32_t minutes;
        bool alerts;
        const char* why;
    } steps[] = {
        {{A}, 1000, 10, true, "first time"},
        {{A}, 1599, 10, false, "one second short of 10 minutes"},
        {{A}, 1600, 10, true, "exactly 10 minutes: alerts again"},
        {{A, B}, 1700, 10, true, "B is new"},
        {{B, B}, 2000, 10, false, "B alerted at 1700"},
        {{A}, 2299, 10, false, "A's time was renewed by the alert B brought"},
        {{A}, 2300, 10, true, "10 minutes after that"},
        {{}, 2301, 10, false, "no addresses"},
        {{A}, 2302, 0, true, "off: every update alerts"},
        {{A}, 2303, 10, true, "turning it off forgot the times"},
        {{A}, 2304, 1, false, "a shorter period, still within it"},
        {{A}, 2363, 1, true, "past the shorter period"},
        {{C}, 9000, 10, true, "first time"},
        {{C}, 8000, 10, true, "clock set back: a time in the future quiets nothing"},
    };
    QuietRepeats quiet;
    for (const auto& step : steps) {
        EXPECT_EQ(quiet.Alerts(step.addresses, step.now, step.minutes), step.alerts) << step.now << ": " << step.why;
    }
}

TEST(QuietRepeats, ForgetsExpiredTimesAndTheOldestPastTheCap) {
    QuietRepeats quiet;
    for (std::uint32_t address = 0; address <= QuietRepeats::kMaxRemembered; ++address) {
        ASSERT_TRUE(quiet.Alerts(std::vector{address}, address, kMaxQuietRepeatMinutes));
    }
    EXPECT_EQ(quiet.RememberedCount(), QuietRepeats::kMaxRemembered);
    const std::int64_t later = QuietRepeats::kMaxRemembered + 1;
    EXPECT_FALSE(quiet.Alerts(std::vector{std::uint32_t{QuietRepeats::kMaxRemembered}}, later, kMaxQuietRepeatMinutes));
    EXPECT_TRUE(quiet.Alerts(std::vector{std::uint32_t{0}}, later, kMaxQuietRepeatMinutes));

    EXPECT_TRUE(quiet.Alerts(std::vector{A}, later + 60, 1));
    EXPECT_EQ(quiet.RememberedCount(), 1u);
}

TEST(QuietRepeats, TheMinutesBoxReadsDigitsWithinTheRange) {
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"10", 10}, {" 0030 ", 30}, {"0", 1}, {"1440", 1440}, {"1441", 1440}, {"99999999999999999999", 1440},
        {"", std::nullopt}, {"-5", std::nullopt}, {"1 0", std::nullopt}, {"ten", std::nullopt},
    };
    for (const auto& [text, minutes] : cases) EXPECT_EQ(QuietRepeatMinutesFromText(text), minutes) << text;
}
