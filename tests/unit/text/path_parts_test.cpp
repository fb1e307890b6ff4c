#include <gtest/gtest.h>

#include "path_parts.h"

// PathBeside is the file's drive and folder, then the name.
TEST(PathParts, FilesBesideAFile) {
    EXPECT_EQ(PathBeside("C:\\Program Files\\Vorlane\\Vorlane.exe", "intruder.wav"),
              "C:\\Program Files\\Vorlane\\intruder.wav");
    EXPECT_EQ(PathBeside("\\\\server\\share/run.bat", "router.log"), "\\\\server\\share/router.log");
    EXPECT_EQ(PathBeside("C:Vorlane.exe", "router.log"), "C:router.log");
    EXPECT_EQ(PathBeside("Vorlane.exe", "router.log"), "router.log");
}
