#include <gtest/gtest.h>

#include "path_parts.h"

TEST(PathParts, FolderOfAFile) {
    EXPECT_EQ(DriveAndDirectory("C:\\Tools\\mail.exe"), "C:\\Tools\\");
    EXPECT_EQ(DriveAndDirectory("\\\\server\\share\\run.bat"), "\\\\server\\share\\");
    EXPECT_EQ(DriveAndDirectory("C:prog.exe"), "C:");
    EXPECT_EQ(DriveAndDirectory("prog.exe"), "");
}

TEST(PathParts, FilesBesideTheExecutable) {
    EXPECT_EQ(PathBeside("C:\\Program Files\\Vorlane\\Vorlane.exe", "intruder.wav"),
              "C:\\Program Files\\Vorlane\\intruder.wav");
    EXPECT_EQ(PathBeside("C:/Tools/Vorlane.exe", "router.log"), "C:/Tools/router.log");
    EXPECT_EQ(PathBeside("/opt/vorlane/vorlane", "router.log"), "/opt/vorlane/router.log");
    EXPECT_EQ(PathBeside("C:Vorlane.exe", "router.log"), "C:router.log");
    EXPECT_EQ(PathBeside("Vorlane.exe", "router.log"), "router.log");
}
