#include <gtest/gtest.h>

#include "csv_text.h"

// The whole file, its byte order mark and CRLF rows: the Intruders controller's test.
TEST(CsvText, QuotesOnlyFieldsWithCommaQuoteOrLineBreak) {
    const struct {
        std::string field, written;
    } cases[] = {
        {"203.0.113.7", "203.0.113.7"},
        {"", ""},
        {" padded ", " padded "},
        {"Z\xC3\xBCrich", "Z\xC3\xBCrich"},
        {"1,000", "\"1,000\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"lf\n", "\"lf\n\""},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendCsvField(out, c.field);
        EXPECT_EQ(out, c.written) << c.field;
    }
}
