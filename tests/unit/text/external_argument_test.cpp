#include <gtest/gtest.h>

#include "external_argument.h"

TEST(ExternalArgument, OnlyTheFirstPlaceholderTakesTheLines) {
    EXPECT_EQ(SubstituteLastParagraph("a%%b%%c", "L\r\n"), "aL\r\nb%%c");
    EXPECT_EQ(SubstituteLastParagraph("-v %", "L"), "-v %");
    EXPECT_EQ(SubstituteLastParagraph("", "L"), "");
    EXPECT_EQ(SubstituteLastParagraph("%%", ""), "");
}
