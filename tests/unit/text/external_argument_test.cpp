#include <gtest/gtest.h>

#include "external_argument.h"

TEST(ExternalArgument, OnlyTheFirstPlaceholderTakesTheLines) {
    EXPECT_EQ(SubstituteLastParagraph("a%%b%%c", "L\r\n"), "aL\r\nb%%c");
    EXPECT_EQ(SubstituteLastParagraph("-v %", "L"), "-v %");
    EXPECT_EQ(SubstituteLastParagraph("", "L"), "");
    EXPECT_EQ(SubstituteLastParagraph("%%", ""), "");
}

TEST(ExternalArgument, RouterTextLosesWhatACommandInterpreterActsOn) {
    EXPECT_EQ(SubstituteLastParagraph("\"%%\" & echo %%", "x\" & calc & \"|<>^%!\t\x01\x7F\r\n\xE9"),
              std::string("\"x_ _ calc _ __________\r\n\xE9\" & echo %%"));
}
