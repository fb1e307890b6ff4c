#include <gtest/gtest.h>

#include "external_argument.h"

TEST(ExternalArgument, OnlyTheFirstPlaceholderTakesTheLinesWithoutWhatAnInterpreterActsOn) {
    EXPECT_EQ(SubstituteLastParagraph("a%%b%%c", "L\r\n"), "aL\r\nb%%c");
    EXPECT_EQ(SubstituteLastParagraph("-v %", "L"), "-v %");
    EXPECT_EQ(SubstituteLastParagraph("%%", ""), "");
    EXPECT_EQ(SubstituteLastParagraph("\"%%\" & echo %%", "x\" & calc & \"|<>^%!\t\x01\x7F\r\n\xE9"),
              std::string("\"x_ _ calc _ __________\r\n\xE9\" & echo %%"));
}
