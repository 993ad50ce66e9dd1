#include "timedrequest.h"
#include "usage_texts.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

namespace {

// Plain CRC-32 (the one of zip files), bit by bit.
unsigned Crc32(const char* text) {
    unsigned crc = 0xFFFFFFFFu;
    for (const char* p = text; *p; ++p) {
        crc ^= static_cast<unsigned char>(*p);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A refusal gives the whole usage box; an accepted line leaves the box alone.
void ExpectRefusal(int accepted, const WPNotice& usage, const char* usageText) {
    if (accepted) {
        EXPECT_STREQ("unset", usage.text);
        EXPECT_EQ(99u, usage.style);
        return;
    }
    EXPECT_STREQ(usageText, usage.text);
    EXPECT_STREQ("ERROR", usage.caption);
    EXPECT_EQ(0u, usage.style);
}

struct Launch {
    int accepted;
    std::string time, program, parameters, directory;
    int noIcon, quitAfterFire;
};

// Parses and normalises as the launcher's start-up does.
Launch ReadLaunch(const char* commandLine) {
    LaunchRequest request;
    WPNotice usage = MakeNotice("unset", "unset", 99);
    int accepted = request.ReadCommandLine(commandLine, &usage);
    ExpectRefusal(accepted, usage, e2e::kAubadeUsage);
    return Launch{accepted,          request.timeText,  request.program,
                  request.parameters, request.directory, request.noIcon,
                  request.quitAfterFire};
}

struct Close {
    int accepted;
    std::string time, caption;
    int noIcon, politeClose;
};

Close ReadClose(const char* commandLine) {
    CloseRequest request;
    WPNotice usage = MakeNotice("unset", "unset", 99);
    int accepted = request.ReadCommandLine(commandLine, &usage);
    ExpectRefusal(accepted, usage, e2e::kNocturneUsage);
    return Close{accepted, request.timeText, request.caption, request.noIcon, request.politeClose};
}

}  // namespace

TEST(LaunchCommandLine, NeedsATimeAndAProgram) {
    EXPECT_EQ(0, ReadLaunch("").accepted);
    EXPECT_EQ(0, ReadLaunch("   ").accepted);
    EXPECT_EQ(0, ReadLaunch("7:30").accepted);
    EXPECT_EQ(0, ReadLaunch("7:30 ").accepted);
    EXPECT_EQ(0, ReadLaunch("7:30 ,,,").accepted);
    // Only the space ends the time: with a tab the time swallows the rest.
    EXPECT_EQ(0, ReadLaunch("7:30\tnotepad.exe").accepted);
}

TEST(LaunchCommandLine, TimeAndProgramAloneUseTheDefaults) {
    Launch out = ReadLaunch("7:30 notepad.exe");
    EXPECT_EQ(1, out.accepted);
    EXPECT_EQ("7:30:00", out.time);
    EXPECT_EQ("notepad.exe", out.program);
    EXPECT_EQ("", out.parameters);
    EXPECT_EQ("", out.directory);
    EXPECT_EQ(0, out.noIcon);
    EXPECT_EQ(1, out.quitAfterFire);
}

TEST(LaunchCommandLine, BlanksAfterTheSeparatingSpaceBelongToTheProgram) {
    EXPECT_EQ(" notepad.exe", ReadLaunch("7:30  notepad.exe").program);
    EXPECT_EQ("c:\\my tools\\a b.exe ", ReadLaunch("7:30 c:\\my tools\\a b.exe ").program);
    // Leading spaces before the time are skipped.
    EXPECT_EQ("notepad.exe", ReadLaunch("  7:30 notepad.exe").program);
}

TEST(LaunchCommandLine, EmptyFieldsVanishSoASpaceHoldsTheirPlace) {
    Launch vanished = ReadLaunch("7:30 notepad.exe,,c:\\work");
    EXPECT_EQ("c:\\work", vanished.parameters);
    EXPECT_EQ("", vanished.directory);

    Launch placeholder = ReadLaunch("7:30 notepad.exe, ,c:\\work,-hc");
    EXPECT_EQ(1, placeholder.accepted);
    EXPECT_EQ(" ", placeholder.parameters);
    EXPECT_EQ("c:\\work", placeholder.directory);
    EXPECT_EQ(1, placeholder.noIcon);
    EXPECT_EQ(0, placeholder.quitAfterFire);
}

TEST(LaunchCommandLine, OptionsComeOnlyFromTheFieldAfterTheThirdComma) {
    Launch inDirectory = ReadLaunch("7:30 notepad.exe,a,b -hc");
    EXPECT_EQ(1, inDirectory.accepted);
    EXPECT_EQ("b -hc", inDirectory.directory);
    EXPECT_EQ(0, inDirectory.noIcon);
    EXPECT_EQ(1, inDirectory.quitAfterFire);

    Launch withMore = ReadLaunch("7:30 notepad.exe,a,b,-hc,more");
    EXPECT_EQ(1, withMore.accepted);
    EXPECT_EQ(1, withMore.noIcon);
    EXPECT_EQ(0, withMore.quitAfterFire);

    // A parameter that looks like an option is just a parameter.
    Launch asParameter = ReadLaunch("7:30 notepad.exe,-h");
    EXPECT_EQ("-h", asParameter.parameters);
    EXPECT_EQ(0, asParameter.noIcon);
}

TEST(LaunchCommandLine, BadOptionsOrTimesShowTheUsage) {
    EXPECT_EQ(0, ReadLaunch("7:30 notepad.exe,a,b,x").accepted);
    EXPECT_EQ(0, ReadLaunch("7:30 notepad.exe,a,b,-").accepted);
    EXPECT_EQ(1, ReadLaunch("7:30 notepad.exe,a,b, ").accepted);
    EXPECT_EQ(0, ReadLaunch("24:00 notepad.exe").accepted);
    EXPECT_EQ(0, ReadLaunch("7:60 notepad.exe").accepted);
    EXPECT_EQ(0, ReadLaunch("7 notepad.exe").accepted);
    EXPECT_EQ(0, ReadLaunch("7:3a notepad.exe").accepted);
    Launch seconds = ReadLaunch("7:30:15:99 notepad.exe");
    EXPECT_EQ(1, seconds.accepted);
    EXPECT_EQ("7:30:15", seconds.time);
}

// 表 is 0x95 0x5C: its trail byte is a backslash.
TEST(LaunchCommandLine, DoubleByteCharactersInAPathStayWhole) {
    Launch out = ReadLaunch("7:30 c:\\表示\\ツール\\tool.exe, ,c:\\表,-ch");
    EXPECT_EQ(1, out.accepted);
    EXPECT_EQ("c:\\表示\\ツール\\tool.exe", out.program);
    EXPECT_EQ("c:\\表", out.directory);
    EXPECT_EQ(0, out.quitAfterFire);
}

// Longer texts than the buffers are refused, never cut.
TEST(LaunchCommandLine, LimitsAreRefusedNotCut) {
    std::string line = "7:30 ";
    line.append(255 - line.size(), 'p');
    Launch longest = ReadLaunch(line.c_str());
    EXPECT_EQ(1, longest.accepted);
    EXPECT_EQ(250u, longest.program.size());
    EXPECT_EQ(0, ReadLaunch((line + "p").c_str()).accepted);

    Launch fits = ReadLaunch("7:30 a,b,c,-h        c");  // 11 characters
    EXPECT_EQ(1, fits.accepted);
    EXPECT_EQ(0, fits.quitAfterFire);
    Launch tooLong = ReadLaunch("7:30 a,b,c,-h         c");  // 12
    EXPECT_EQ(0, tooLong.accepted);

    std::string longTime = "7:30:00:";
    longTime.append(64 - longTime.size(), '9');
    EXPECT_EQ(0, ReadLaunch((longTime + " notepad.exe").c_str()).accepted);
}

TEST(CloseCommandLine, TakesTheCaptionUpToTheFirstComma) {
    Close out = ReadClose("23:00 Untitled - Notepad");
    EXPECT_EQ(1, out.accepted);
    EXPECT_EQ("23:00:00", out.time);
    EXPECT_EQ("Untitled - Notepad", out.caption);
    EXPECT_EQ(0, out.noIcon);
    EXPECT_EQ(0, out.politeClose);

    EXPECT_EQ("a", ReadClose("23:00 a,b,-h").caption);
    EXPECT_EQ(0, ReadClose("23:00 a,b,-h").accepted);  // b is the option field
    EXPECT_EQ(" Title", ReadClose("23:00  Title").caption);
    EXPECT_EQ("表示 - メモ帳", ReadClose("23:00 表示 - メモ帳").caption);
}

TEST(CloseCommandLine, KnowsTheOptionsHAndG) {
    Close hidden = ReadClose("23:00 Title,-h");
    EXPECT_EQ(1, hidden.accepted);
    EXPECT_EQ(1, hidden.noIcon);
    EXPECT_EQ(0, hidden.politeClose);
    Close politeHidden = ReadClose("23:00 Title,-hg");
    EXPECT_EQ(1, politeHidden.accepted);
    EXPECT_EQ(1, politeHidden.noIcon);
    EXPECT_EQ(1, politeHidden.politeClose);
    EXPECT_EQ(0, ReadClose("23:00 Title,-c").accepted);
    EXPECT_EQ(1, ReadClose("23:00 Title, ,ignored").accepted);
    EXPECT_EQ(1, ReadClose("23:00 Title,-h,ignored").noIcon);
}

TEST(CloseCommandLine, NeedsATimeAndACaption) {
    EXPECT_EQ(0, ReadClose("").accepted);
    EXPECT_EQ(0, ReadClose("23:00").accepted);
    EXPECT_EQ(0, ReadClose("23:00 ,,").accepted);
    EXPECT_EQ(0, ReadClose("24:00 Title").accepted);
    EXPECT_EQ(0, ReadClose("7:60 Title").accepted);
}

// Checked against the Shift-JIS bytes of the texts as published (length and
// CRC-32), so a changed character anywhere is caught.
TEST(UsageNotice, TextsAreExactShiftJisWithErrorCaptionOkOnlyNoBeepNoOwner) {
    WPNotice launch = LaunchUsageBox();
    WPNotice close = CloseUsageBox();
    for (const WPNotice& box : {launch, close}) {
        EXPECT_STREQ("ERROR", box.caption);
        EXPECT_EQ(0u, box.style);
        EXPECT_FALSE(box.beepFirst);
        EXPECT_FALSE(box.ownedByMainWindow);
    }
    EXPECT_EQ(346u, strlen(launch.text));
    EXPECT_EQ(0x4aacf7f6u, Crc32(launch.text));
    EXPECT_EQ(54u, strlen(close.text));
    EXPECT_EQ(0x8c49d2e1u, Crc32(close.text));
}
