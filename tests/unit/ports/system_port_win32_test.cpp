#include "system_port_win32.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileDialogFilterTest, BarsBecomeNulsEndingWithAnEmptyEntry) {
    EXPECT_EQ(FileDialogFilter("Program Files|*.exe;*.com;*.bat|All Files (*.*)|*.*||"),
              std::string("Program Files\0*.exe;*.com;*.bat\0All Files (*.*)\0*.*\0\0", 53));
    EXPECT_EQ(FileDialogFilter("Text|*.txt"), std::string("Text\0*.txt\0\0", 12));
}
