#include "logupdate/log_page_reading.h"

#include <gtest/gtest.h>

#include "unit/text/logpage/log_page_builder.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
// 2001-03-05 09:05:07 UTC
constexpr std::int32_t R = 983783107;
const std::string LineA = "2001/03/05 - 09:04 - Event A\r\n";
const std::string LineB = "2001/03/05 - 09:04 - Event B\r\n";
const std::string IntrusionLine = "2001/03/05 - 09:05 - Unrecognized access from 10.1.2.3:1025 to TCP port 80\r\n";
const std::string PageAB = L2(60000, "Event A") + L2(30000, "Event B");
const std::string IntrusionCall = L2(5000, "Unrecognized access from 10.1.2.3:1025 to TCP port 80");

// Reads pages one after another as the session does, keeping what it keeps.
struct PageReader {
    LogPageReading Read(const std::string& calls, std::int32_t referenceTime = R) {
        LogPageReading reading = ReadLogPage(LogPage(calls), referenceTime, context);
        context.lastDate = reading.lastDate;
        context.pageHeldLastDate = reading.pageHeldLastDate;
        return reading;
    }
    LogPageContext context{0, false, "", {}, {DateFormat::Short, false}};
};
}  // namespace

class LogPageReadingTest : public ::testing::Test {
protected:
    TimeZoneGuard zone{"UTC0"};
    PageReader reader;
};

TEST_F(LogPageReadingTest, NewEntriesBecomeRecordsAndLinesAndMoveTheTimeOn) {
    reader.context.screenText = "*** (empty) ***";
    LogPageReading reading = reader.Read(L2(60000, "Event A") + IntrusionCall + L1("detail"));
    EXPECT_EQ(reading.wanType, "PPPoE");
    EXPECT_EQ(reading.update.lines.displayText, LineA + IntrusionLine + "detail\r\n");
    ASSERT_EQ(reading.update.records.size(), 3u);
    const LogRecord& intrusion = reading.update.records[1];
    EXPECT_EQ(intrusion.time, R - 5);
    EXPECT_TRUE(intrusion.intrusion);
    ASSERT_TRUE(intrusion.attempt);
    EXPECT_EQ(AddressText(intrusion.attempt->address), "10.1.2.3");
    EXPECT_EQ(intrusion.attempt->port, "80");
    EXPECT_EQ(reading.update.records[2].time, std::nullopt);
    EXPECT_EQ(reading.lastDate, R - 5);

    // The same page once more adds nothing, and the screen shows the lines now.
    reader.context.screenText = reading.update.lines.displayText;
    reading = reader.Read(L2(60000, "Event A") + IntrusionCall + L1("detail"));
    EXPECT_TRUE(reading.update.lines.displayText.empty());
    EXPECT_EQ(reading.lastDate, R - 5);

    // A screen without lines forgets the time unless the user keeps it, even when the router refuses.
    for (const char* screen : {"", "*** Error: Cannot connect."}) {
        reader.context.screenText = screen;
        reading = ReadLogPage("HTTP/1.0 401 Authorization Required\r\n\r\n", R, reader.context);
        EXPECT_TRUE(reading.authorizationFailed);
        EXPECT_EQ(reading.lastDate, 0) << screen;
    }
    reader.context.selection.rememberDate = true;
    EXPECT_EQ(ReadLogPage(LogPage(""), R, reader.context).lastDate, R - 5);
}

TEST_F(LogPageReadingTest, RolledLogIsSaidOnceAndPassesTheIntrusionFilter) {
    const std::string Missed = "*** Entries between 2001/03/05 - 09:04 and 2001/03/05 - 09:06 may be missing: the "
                               "router's log no longer holds them\r\n";
    reader.context.selection.rememberDate = true;
    // A remembered time older than the router's log is normal on the first page of a run.
    reader.context.lastDate = R - 1000;
    EXPECT_EQ(reader.Read(PageAB).update.lines.displayText, LineA + LineB);

    reader.context.selection.onlyIntrusion = true;
    LogPageReading reading = reader.Read(L2(40000, "Event C"), R + 100);
    EXPECT_EQ(reading.update.lines.displayText, Missed);
    EXPECT_EQ(reading.update.lines.fileText, Missed);
    EXPECT_TRUE(reading.update.opensWithMissedEntries);
    EXPECT_TRUE(reading.update.onlyIntrusion);
    EXPECT_FALSE(reading.update.HoldsIntrusion());
    // Said once: the next page holds the entry at the time it moved to.
    EXPECT_TRUE(reader.Read(L2(40000, "Event C") + L2(0, "Event D"), R + 100).update.lines.displayText.empty());
}

TEST_F(LogPageReadingTest, FileLinesOfTimedEntriesCarryTheGmtTime) {
    reader.context.render.logGMT = true;
    const LogPageReading reading = reader.Read(L2(60000, "Event A") + L1("detail"));
    EXPECT_EQ(reading.update.lines.displayText, LineA + "detail\r\n");
    EXPECT_EQ(reading.update.lines.fileText, "2001/03/05 - 09:04 - Event A ( 2001/03/05 - 09:04:07 GMT )\r\ndetail\r\n");
}
