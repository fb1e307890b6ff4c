#include <gtest/gtest.h>

#include "intruders/intrusion_balloon_text.h"
#include "intruders/local_stamp.h"
#include "unit/text/logpage/time_zone_guard.h"

// The date forms are written in English whatever the locale, and read back.
TEST(LocalStamp, EachDateFormReadsBackAndJunkReadsAsNothing) {
    const TimeZoneGuard zone("UTC0");
    ASSERT_EQ(StampFromTime(983783107), (LocalStamp{2001, 3, 5, 9, 5, 7}));
    const struct {
        LocalStamp stamp;
        DateFormat format;
        const char* text;
    } forms[] = {
        {{2001, 3, 5, 9, 5, 7}, DateFormat::Windows, "March 05, 2001, 09:05:07 AM"},
        {{1999, 12, 31, 23, 59, 58}, DateFormat::Windows, "December 31, 1999, 11:59:58 PM"},
        {{2000, 2, 29, 0, 0, 1}, DateFormat::Windows, "February 29, 2000, 12:00:01 AM"},
        {{2004, 7, 4, 12, 0, 1}, DateFormat::Windows, "July 04, 2004, 12:00:01 PM"},
        {{2001, 3, 5, 9, 5, 0}, DateFormat::Short, "2001/03/05 - 09:05"},
        {{2000, 2, 29, 12, 30, 1}, DateFormat::Long, "Tuesday, February 29, 2000 12:30:01"},
    };
    for (const auto& form : forms) {
        std::string text;
        AppendStampText(text, form.stamp, form.format);
        EXPECT_EQ(text, form.text);
        EXPECT_EQ(ParseLeadingDate(std::string(form.text) + " - m ( 2001/03/05 - 09:05:07 GMT )"), form.stamp)
            << form.text;
    }
    for (const char* junk : {"", "March 5, 2001, 09:05:07 AM", "March 05, 2001, 13:05:07 AM",
                             "March 05, 2001, 09:05:07 XM", "Marsh 05, 2001, 09:05:07 AM", "2001/13/05 - 09:05",
                             "2001/03/05 - 24:00", "2001/03/05 09:05", "Funday, March 05, 2001 09:05:07",
                             "Monday, March 05, 2001 09:60:07", "Monday, March 05, 2001", "*** 2001/03/05 - 09:05"}) {
        EXPECT_EQ(ParseLeadingDate(junk), std::nullopt) << junk;
    }
}

TEST(IntrusionBalloonText, AddressThenKnownPortThenTheRest) {
    EXPECT_EQ(IntrusionBalloonText({0xCF475CDD, "UDP", "137"}, 0), "207.71.92.221, UDP port 137");
    EXPECT_EQ(IntrusionBalloonText({0x01020304, "TCP", "80"}, 12), "1.2.3.4, TCP port 80 and 12 more");
    EXPECT_EQ(IntrusionBalloonText({0xFFFFFFFF, "", ""}, 1), "255.255.255.255 and 1 more");
}
