#include <gtest/gtest.h>

#include "app/path_parts.h"
#include "logproc/external_program.h"

TEST(ExternalProgram, OnlyTheFirstPlaceholderTakesTheLines) {
    EXPECT_EQ(SubstituteLastParagraph("a%%b%%c", "L\r\n"), "aL\r\nb%%c");
    EXPECT_EQ(SubstituteLastParagraph("-v %", "L"), "-v %");
    EXPECT_EQ(SubstituteLastParagraph("", "L"), "");
    EXPECT_EQ(SubstituteLastParagraph("%%", ""), "");
}

TEST(ExternalProgram, FolderOfTheProgram) {
    EXPECT_EQ(DriveAndDirectory("C:\\Tools\\mail.exe"), "C:\\Tools\\");
    EXPECT_EQ(DriveAndDirectory("\\\\server\\share\\run.bat"), "\\\\server\\share\\");
    EXPECT_EQ(DriveAndDirectory("C:prog.exe"), "C:");
    EXPECT_EQ(DriveAndDirectory("prog.exe"), "");
}

TEST(ExternalProgram, FilesBesideTheExecutable) {
    EXPECT_EQ(PathBesideExecutable("C:\\Program Files\\Vorlane\\Vorlane.exe", "intruder.wav"),
              "C:\\Program Files\\Vorlane\\intruder.wav");
}
