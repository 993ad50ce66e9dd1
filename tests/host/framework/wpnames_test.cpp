#include "wpnames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ProgramName(const char* path) {
    char name[kProgramNameSize];
    ProgramNameFromPath(path, name);
    return name;
}

std::string IniName(const char* program) {
    char buffer[13];
    return IniNameFromProgramName(program, buffer, sizeof buffer);
}

}  // namespace

TEST(ProgramName, IsTheFileNameWithoutDirectoryAndExtension) {
    EXPECT_EQ("ABCDEFGHIJK", ProgramName("C:\\TOOLS\\ABCDEFGHIJK.EXE"));
    EXPECT_EQ("lofter", ProgramName("lofter.exe"));
    EXPECT_EQ("noext", ProgramName("C:\\dir.d\\noext"));
}

TEST(ProgramName, IsCutAtTheFirstDot) {
    EXPECT_EQ("two", ProgramName("C:\\x\\two.dots.exe"));
}

TEST(ProgramName, KeepsAtMost15Characters) {
    EXPECT_EQ("ABCDEFGHIJKLMNO", ProgramName("C:\\ABCDEFGHIJKLMNOPQRST.EXE"));
}

TEST(ProgramName, DoubleByteTrailBackslashDoesNotSplitTheName) {
    // 表 is 0x95 0x5C: its trail byte is not a directory separator.
    EXPECT_EQ("表示", ProgramName("C:\\dir\\表示.exe"));
    // A cut at 15 bytes never keeps half a character.
    EXPECT_EQ("aaaaaaaaaaaaaa", ProgramName("C:\\aaaaaaaaaaaaaa表.exe"));
}

TEST(IniName, IsTheProgramNameCutToEightPlusIni) {
    EXPECT_EQ("ABCDEFGH.ini", IniName("ABCDEFGHIJK"));
    EXPECT_EQ("volley.ini", IniName("volley"));
    EXPECT_EQ(".ini", IniName(""));
}

TEST(IniName, IsCutToTheGivenBuffer) {
    char small[6];
    IniNameFromProgramName("ABCDEFGHIJK", small, sizeof small);
    EXPECT_STREQ("ABCDE", small);
}
