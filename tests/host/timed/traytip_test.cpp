#include "traytip.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each row names the fault it catches.
TEST(ProgramName, LastPieceAtBackslashesOnlyWhenThereAreTwoOrMore) {
    struct Row {
        const char* fault;
        const char* program;
        const char* name;
    } rows[] = {
        {"the directory stayed in the name", "C:\\tools\\notepad.exe", "notepad.exe"},
        {"a name without backslash was changed", "notepad.exe", "notepad.exe"},
        {"a lone leading backslash was dropped (one piece keeps the whole)", "\\notepad.exe",
         "\\notepad.exe"},
        {"a run of backslashes gave an empty piece", "C:\\\\tools\\\\\\a.exe", "a.exe"},
        {"a trailing backslash gave an empty name", "C:\\tools\\", "tools"},
        {"a slash was taken as a separator", "C:/tools/a.exe", "C:/tools/a.exe"},
        // 表 is 0x95 0x5C: its trail byte is no separator.
        {"a double-byte character split at its trail byte", "C:\\表示\\表.exe", "表.exe"},
        {"a double-byte name of one piece was split", "表示.exe", "表示.exe"},
    };
    for (const Row& row : rows) {
        char name[256];
        timed::ProgramNameOf(row.program, name, sizeof name);
        EXPECT_STREQ(row.name, name) << row.fault;
    }
}

TEST(TrayTip, SubjectSpaceTimeAndSafeCuts) {
    char tip[timed::kTipWorkSize];
    timed::ComposeTip(tip, sizeof tip, "notepad.exe", "7:05:00");
    EXPECT_STREQ("notepad.exe 7:05:00", tip);

    // The longest subject and time the fields can hold fit whole.
    const std::string subject(255, 'S'), time(255, 'T');
    timed::ComposeTip(tip, sizeof tip, subject.c_str(), time.c_str());
    EXPECT_EQ(subject + " " + time, tip);

    // A small buffer is cut at a whole character, never overrun.
    char small[8];
    timed::ComposeTip(small, sizeof small, "表示表示", "7:05:00");
    EXPECT_STREQ("表示表", small);
    timed::ComposeTip(small, sizeof small, "ab", "7:05:00");
    EXPECT_STREQ("ab 7:05", small);
    timed::ComposeTip(small, sizeof small, "abcdef", "7:05:00");  // room for the blank only
    EXPECT_STREQ("abcdef ", small);
}

}  // namespace
