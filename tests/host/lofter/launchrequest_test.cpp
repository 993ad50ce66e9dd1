#include "launchrequest.h"

#include "tempfolder.h"
#include "usage_texts.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

const lofter::ScreenLayout kScreen(WPRect(0, 0, 1024, 768));

struct Request {
    char text[kCommandTextSize];
    LaunchSettings settings;
    LaunchTarget target;
    WPNotice boxes[2];
    int boxCount;

    explicit Request(const std::string& line) {
        strcpy(text, line.c_str());
        ReadLaunchRequest(text, sizeof text, kScreen, &settings, &target);
        boxCount = CommandLineErrorBoxes(settings, boxes);
    }
};

void ExpectUsageBox(const WPNotice& box) {
    EXPECT_STREQ("ERROR", box.caption);
    EXPECT_STREQ(e2e::kLofterUsage, box.text);  // whole, not cut
    EXPECT_EQ(0u, box.style);
    EXPECT_TRUE(box.ownedByMainWindow);
    EXPECT_TRUE(box.beepFirst);
}

}  // namespace

TEST(LaunchRequest, PlainLineIsParsedAndNeedsNoBox) {
    Request r("x=0,y=0,z=TOP,e=notepad.exe");
    EXPECT_EQ(0, r.settings.x);
    EXPECT_EQ(1, r.settings.topMost);
    EXPECT_STREQ("notepad.exe", r.settings.program);
    EXPECT_EQ(0, r.boxCount);
}

TEST(LaunchRequest, NoProgramGivesTheUsageBoxOnly) {
    for (const char* line : {"", "x=0", "e=", "R=file.rsp", "t=;"}) {
        Request r(line);
        ASSERT_EQ(1, r.boxCount) << line;
        ExpectUsageBox(r.boxes[0]);
    }
}

TEST(LaunchRequest, ResponseFileIsReadThenParsed) {
    TempFolder folder;
    std::string path = folder.Write("wide.rsp", "x=-200,w=100,e=notepad.exe readme.txt\n");
    Request r("r=" + path);
    EXPECT_EQ(0, r.settings.responseFailed);
    EXPECT_EQ(824, r.settings.x);
    EXPECT_EQ(100, r.settings.w);
    EXPECT_STREQ("notepad.exe", r.settings.program);
    EXPECT_STREQ(" ", r.settings.arguments);  // only the first word counts
    EXPECT_EQ(0, r.boxCount);

    // A quoted path with blanks, from the file through the parser.
    path = folder.Write("blanks.rsp", "x=5,e=\"C:\\Program Files\\A B\\x.exe\",f=\"C:\\My Work\" readme\n");
    Request quoted("r=" + path);
    EXPECT_STREQ("C:\\Program Files\\A B\\x.exe", quoted.settings.program);
    EXPECT_STREQ("C:\\My Work", quoted.target.workDir);
    EXPECT_STREQ(" ", quoted.settings.arguments);
    EXPECT_EQ(5, quoted.settings.x);
}

TEST(LaunchRequest, ResponseFileNamingAnotherIsNotFollowed) {
    TempFolder folder;
    std::string inner = folder.Write("inner.rsp", "e=a.exe");
    std::string outer = folder.Write("outer.rsp", "r=" + inner);
    Request r("r=" + outer);
    EXPECT_EQ(0, r.settings.responseFailed);
    EXPECT_EQ(1, r.settings.noProgram);  // r= inside the settings word is ignored
    ASSERT_EQ(1, r.boxCount);
    ExpectUsageBox(r.boxes[0]);
}

TEST(LaunchRequest, UnreadableResponseFileShowsItsBoxThenUsage) {
    // The text is not parsed after a failed read, so e=a.exe starts nothing.
    for (const char* line : {"r=/nonexistent-folder/a.rsp,e=a.exe", "r", "readme,e=a.exe"}) {
        Request r(line);
        EXPECT_EQ(1, r.settings.responseFailed) << line;
        EXPECT_STREQ(line, r.text);
        EXPECT_EQ(1, r.settings.noProgram);  // nothing was parsed
        ASSERT_EQ(2, r.boxCount) << line;
        EXPECT_STREQ("ERROR!!", r.boxes[0].caption);
        EXPECT_STREQ("レスポンスファイルが読めません", r.boxes[0].text);
        EXPECT_EQ(0u, r.boxes[0].style);
        EXPECT_FALSE(r.boxes[0].ownedByMainWindow);
        EXPECT_FALSE(r.boxes[0].beepFirst);
        ExpectUsageBox(r.boxes[1]);
    }
}

TEST(LaunchRequest, ResponseFileWithACharacterShiftJisLacksNamesItsLineThenUsage) {
    TempFolder folder;
    Request r("r=" + folder.Write("emoji.rsp", u8"e=a.exe\n\U0001F600"));
    EXPECT_EQ(1, r.settings.noProgram);  // nothing was parsed
    ASSERT_EQ(2, r.boxCount);
    EXPECT_STREQ("ERROR", r.boxes[0].caption);
    EXPECT_STREQ("2行目にShift-JISで表せない文字があるため、ファイルを読めません", r.boxes[0].text);
    EXPECT_EQ(0u, r.boxes[0].style);
    EXPECT_TRUE(r.boxes[0].beepFirst);
    EXPECT_FALSE(r.boxes[0].ownedByMainWindow);  // the main window does not exist yet
    ExpectUsageBox(r.boxes[1]);
}

// The texts are compiled to Shift-JIS; these are the bytes the user sees.
TEST(LaunchRequest, MessageTextsAreExactShiftJisBytes) {
    EXPECT_STREQ(
        "\x83\x8c\x83\x58\x83\x7c\x83\x93\x83\x58\x83\x74\x83\x40\x83\x43\x83\x8b"
        "\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1",
        kResponseFileErrorText);
    EXPECT_STREQ(
        "LOFTER [x=@@,y=@@,[w=@@,h=@@]],[z=TOP],[a=ON],e=File[args],[f=execDir]\n"
        "or\n"
        "LOFTER r=ResponseFile\n"
        "\x8b\xe6\x90\xd8\x82\xe8\x82\xf0\x81\x68,\x81\x68\x88\xd3\x8a\x4f\x82\xc9"
        "\x82\xb7\x82\xe9\x8f\xea\x8d\x87\x82\xcd \n"
        "t=\x8b\xe6\x90\xd8\x95\xb6\x8e\x9a(\xbd\xcd\xdf\xb0\xbd\x82\xf0\x8a\x4a"
        "\x82\xaf\x82\xe9)\x81\x45\x81\x45\x81\x45\x82\xbb\x82\xcc\x91\xbc\x88\xf8"
        "\x90\x94",
        kUsageText);
}
