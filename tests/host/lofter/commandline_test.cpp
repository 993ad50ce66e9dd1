#include "commandline.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <string.h>

#include <algorithm>
#include <string>

// Literals are Shift-JIS here: 表 is 0x95 0x5C (trail byte '\') and ポ is
// 0x83 0x7C (trail byte '|').
static_assert(sizeof("表") == 3 && "表"[1] == '\\', "compile with -fexec-charset=CP932");
static_assert(sizeof("ポ") == 3 && "ポ"[1] == '|', "compile with -fexec-charset=CP932");

namespace {

const WPRect kScreen = {0, 0, 1024, 768};

struct Parsed {
    LaunchSettings settings;
    LaunchTarget target;
};

Parsed Parse(const std::string& line, const WPRect& screen = kScreen) {
    Parsed parsed;
    parseCommandLine(line.c_str(), lofter::ScreenLayout(screen), &parsed.settings, &parsed.target);
    return parsed;
}

// A parse that applied nothing leaves every field at its initial value.
void ExpectNothingApplied(const Parsed& p) {
    const LaunchSettings fresh;
    const LaunchTarget freshTarget;
    EXPECT_EQ(fresh.x, p.settings.x);
    EXPECT_EQ(fresh.y, p.settings.y);
    EXPECT_EQ(fresh.w, p.settings.w);
    EXPECT_EQ(fresh.h, p.settings.h);
    EXPECT_EQ(0, p.settings.topMost);
    EXPECT_EQ(0, p.settings.nothingToUndo);
    EXPECT_EQ(0, p.settings.autoReturn);
    EXPECT_EQ(0, p.settings.stayResident);
    EXPECT_EQ(1, p.settings.noProgram);
    EXPECT_EQ(0, p.settings.captureNew);
    EXPECT_EQ(WPPoint(0, 0), p.settings.origin);
    EXPECT_STREQ("", p.settings.program);
    EXPECT_STREQ(" ", p.settings.arguments);
    EXPECT_EQ(freshTarget.showCommand, p.target.showCommand);
    EXPECT_EQ(0, p.target.noPlacement);
    EXPECT_STREQ(" ", p.target.workDir);
}

}  // namespace

// --- Words: settings word, argument words, blanks ---------------------------

TEST(CommandLineWords, EmptyOrBlankLineNamesNoProgram) {
    ExpectNothingApplied(Parse(""));
    ExpectNothingApplied(Parse("    "));
}

TEST(CommandLineWords, FullLineFillsEverything) {
    Parsed p = Parse("x=0,y=0,w=640,h=480,z=TOP,e=notepad.exe memo.txt");
    EXPECT_EQ(0, p.settings.x);
    EXPECT_EQ(0, p.settings.y);
    EXPECT_EQ(640, p.settings.w);
    EXPECT_EQ(480, p.settings.h);
    EXPECT_EQ(1, p.settings.topMost);
    EXPECT_EQ(0, p.settings.noProgram);
    EXPECT_STREQ("notepad.exe", p.settings.program);
    EXPECT_STREQ(" memo.txt ", p.settings.arguments);
}

TEST(CommandLineWords, ArgumentWordsAreJoinedBySingleBlanksQuotesKept) {
    EXPECT_STREQ(" a.txt b.txt ", Parse("e=a.exe a.txt     b.txt").settings.arguments);
    EXPECT_STREQ(" \"my file\" ", Parse("e=a.exe \"my   file\"").settings.arguments);
    EXPECT_STREQ(" a.txt ", Parse("   e=a.exe a.txt   ").settings.arguments);
    EXPECT_STREQ(" ", Parse("e=a.exe").settings.arguments);
}

TEST(CommandLineWords, TabIsNoSeparator) {
    Parsed p = Parse("e=a.exe\tb.txt");
    EXPECT_STREQ("a.exe\tb.txt", p.settings.program);
    EXPECT_STREQ(" ", p.settings.arguments);
}

TEST(CommandLineWords, BlankAfterCommaEndsTheSettingsWord) {
    Parsed p = Parse("x=0, y=0,e=a.exe");
    EXPECT_EQ(0, p.settings.x);
    EXPECT_EQ(-1, p.settings.y);
    EXPECT_EQ(1, p.settings.noProgram);
    EXPECT_STREQ(" y=0,e=a.exe ", p.settings.arguments);
}

// --- The t word and its separator -------------------------------------------

TEST(SeparatorWord, ThirdCharacterSeparatesItems) {
    Parsed p = Parse("t=; x=10;y=10;e=c:\\tools\\a,b.exe");
    EXPECT_EQ(10, p.settings.x);
    EXPECT_EQ(10, p.settings.y);
    EXPECT_STREQ("c:\\tools\\a,b.exe", p.settings.program);
}

TEST(SeparatorWord, SecondCharacterIsNotExamined) {
    Parsed p = Parse("tx/ x=1/e=a.exe one two");
    EXPECT_EQ(1, p.settings.x);
    EXPECT_STREQ("a.exe", p.settings.program);
    EXPECT_STREQ(" one two ", p.settings.arguments);
}

TEST(SeparatorWord, AloneLeavesNoSettingsWord) {
    Parsed p = Parse("t=;");
    EXPECT_EQ(1, p.settings.noProgram);
    EXPECT_STREQ(" ", p.settings.arguments);
}

TEST(SeparatorWord, ShorterThanThreeCharactersKeepsTheComma) {
    EXPECT_STREQ("a.exe", Parse("t x=1,e=a.exe").settings.program);
    EXPECT_STREQ("a.exe", Parse("t= x=1,e=a.exe").settings.program);
    EXPECT_EQ(1, Parse("t= x=1,e=a.exe").settings.x);
}

TEST(SeparatorWord, OnlyLowercaseTStartsIt) {
    // T=; is the settings word (ignored), and e=a.exe becomes an argument.
    Parsed p = Parse("T=; e=a.exe");
    EXPECT_EQ(1, p.settings.noProgram);
    EXPECT_STREQ(" e=a.exe ", p.settings.arguments);
}

// --- Key table -----------------------------------------------------------------

TEST(KeyTable, KeysIgnoreCaseAndNeedEqualsSecond) {
    Parsed p = Parse("X=5,Y=6,W=7,H=8,E=a.exe");
    EXPECT_EQ(5, p.settings.x);
    EXPECT_EQ(6, p.settings.y);
    EXPECT_EQ(7, p.settings.w);
    EXPECT_EQ(8, p.settings.h);
    EXPECT_STREQ("a.exe", p.settings.program);

    Parsed bad = Parse("xpos=5,x5,y:3,zz=TOP,e=a.exe");
    EXPECT_EQ(-1, bad.settings.x);
    EXPECT_EQ(-1, bad.settings.y);
    EXPECT_EQ(0, bad.settings.topMost);
}

TEST(KeyTable, UnknownKeysIncludingRAndTAreIgnored) {
    Parsed p = Parse("r=x.rsp,t=;,k=1,=5,e=a.exe");
    EXPECT_EQ(0, p.settings.noProgram);
    EXPECT_STREQ("a.exe", p.settings.program);
    EXPECT_EQ(-1, p.settings.x);
}

TEST(KeyTable, LaterItemsOverwriteEarlierOnes) {
    Parsed p = Parse("x=5,x=7,e=a.exe,e=b.exe,f=c:\\one,f=c:\\two");
    EXPECT_EQ(7, p.settings.x);
    EXPECT_STREQ("b.exe", p.settings.program);
    EXPECT_STREQ("c:\\two", p.target.workDir);
}

TEST(KeyTable, NumbersAreReadLeniently) {
    Parsed p = Parse("x=12px,y=abc,w=+30,h=\t40");
    EXPECT_EQ(12, p.settings.x);
    EXPECT_EQ(0, p.settings.y);
    EXPECT_EQ(30, p.settings.w);
    EXPECT_EQ(40, p.settings.h);
}

TEST(KeyTable, TopMostAndCaptureNewOnlyForTheirWordInAnyCase) {
    EXPECT_EQ(1, Parse("z=TOP").settings.topMost);
    EXPECT_EQ(1, Parse("Z=top").settings.topMost);
    EXPECT_EQ(0, Parse("z=TOPMOST").settings.topMost);
    EXPECT_EQ(0, Parse("z=").settings.topMost);
    EXPECT_EQ(1, Parse("c=NEW,e=a.exe").settings.captureNew);
    EXPECT_EQ(1, Parse("C=new").settings.captureNew);
    EXPECT_EQ(0, Parse("c=NEWER").settings.captureNew);
    EXPECT_EQ(0, Parse("cap=NEW").settings.captureNew);
    EXPECT_EQ(0, Parse("c=ON").settings.captureNew);
}

TEST(KeyTable, ResidenceKeys) {
    Parsed a = Parse("a=on");
    EXPECT_EQ(1, a.settings.autoReturn);
    EXPECT_EQ(1, a.settings.stayResident);
    Parsed aOff = Parse("a=OFF");
    EXPECT_EQ(0, aOff.settings.autoReturn);
    EXPECT_EQ(0, aOff.settings.stayResident);

    Parsed d = Parse("d=ON");
    EXPECT_EQ(0, d.settings.autoReturn);
    EXPECT_EQ(1, d.settings.stayResident);
    EXPECT_EQ(0, Parse("d=1").settings.stayResident);

    Parsed qOn = Parse("q=ON");
    EXPECT_EQ(1, qOn.settings.nothingToUndo);
    EXPECT_EQ(0, qOn.settings.stayResident);
    Parsed qOff = Parse("q=OFF");
    EXPECT_EQ(0, qOff.settings.nothingToUndo);
    EXPECT_EQ(1, qOff.settings.stayResident);
}

TEST(KeyTable, ShowCommands) {
    struct Case { const char* line; int show; int noPlacement; };
    const Case cases[] = {
        {"s=0", 5, 0}, {"s=1", 6, 1}, {"s=2", 3, 1}, {"s=3", 0, 1},
        {"s=4", 5, 0}, {"s=-1", 5, 0}, {"s=2nd", 3, 1}, {"s=x", 5, 0},
        {"s=3,s=4", 0, 1},
        // Shown normally again: the earlier s must not leave it unplaced.
        {"s=1,s=0", 5, 0},
    };
    for (const Case& c : cases) {
        Parsed p = Parse(c.line);
        EXPECT_EQ(c.show, p.target.showCommand) << c.line;
        EXPECT_EQ(c.noPlacement, p.target.noPlacement) << c.line;
    }
}

TEST(KeyTable, ProgramAndWorkDirTakeTheSecondPieceAtEquals) {
    EXPECT_STREQ("notepad.exe", Parse("exe=notepad.exe").settings.program);
    EXPECT_STREQ("a.exe", Parse("e==a.exe").settings.program);
    EXPECT_STREQ("a.exe", Parse("e=a.exe=b").settings.program);
    EXPECT_STREQ("c:\\work", Parse("F=c:\\work").target.workDir);
    EXPECT_STREQ("d:\\", Parse("dir=c:\\,f=d:\\").target.workDir);
}

TEST(KeyTable, ProgramWithoutValueOnlyMeansNothingToUndo) {
    for (const char* line : {"e", "e=", "e==", "E"}) {
        Parsed p = Parse(line);
        EXPECT_EQ(1, p.settings.noProgram) << line;
        EXPECT_EQ(1, p.settings.nothingToUndo) << line;
        EXPECT_STREQ("", p.settings.program) << line;
    }
    Parsed kept = Parse("e=a.exe,e=");
    EXPECT_EQ(0, kept.settings.noProgram);
    EXPECT_STREQ("a.exe", kept.settings.program);
    EXPECT_EQ(1, kept.settings.nothingToUndo);

    EXPECT_STREQ(" ", Parse("f=").target.workDir);
}

// --- Range checks against the screen -----------------------------------------

TEST(RangeChecks, NegativePositionsCountFromTheFarEdge) {
    EXPECT_EQ(1023, Parse("x=-1").settings.x);
    EXPECT_EQ(0, Parse("x=-5000").settings.x);
    EXPECT_EQ(767, Parse("y=-1").settings.y);
    EXPECT_EQ(0, Parse("y=-5000").settings.y);
    EXPECT_EQ(440, Parse("x=-200", {0, 0, 640, 480}).settings.x);
}

TEST(RangeChecks, PositionOffScreenIsNotGiven) {
    EXPECT_EQ(1023, Parse("x=1023").settings.x);
    EXPECT_EQ(-1, Parse("x=1024").settings.x);
    EXPECT_EQ(767, Parse("y=767").settings.y);
    EXPECT_EQ(-1, Parse("y=768").settings.y);
}

TEST(RangeChecks, SizeIsCheckedAgainstThePositionLeftByTheFirstChecks) {
    Parsed offScreen = Parse("x=2000,w=100");
    EXPECT_EQ(-1, offScreen.settings.x);
    EXPECT_EQ(100, offScreen.settings.w);

    Parsed tooWide = Parse("x=900,w=200");
    EXPECT_EQ(900, tooWide.settings.x);
    EXPECT_EQ(-1, tooWide.settings.w);

    EXPECT_EQ(123, Parse("x=900,w=123").settings.w);
    EXPECT_EQ(-1, Parse("x=900,w=124").settings.w);
    EXPECT_EQ(67, Parse("y=700,h=67").settings.h);
    EXPECT_EQ(-1, Parse("y=700,h=68").settings.h);
    // Without a position the size counts from -1.
    EXPECT_EQ(1024, Parse("w=1024").settings.w);
    EXPECT_EQ(-1, Parse("w=1025").settings.w);
}

TEST(RangeChecks, HugeSizesDoNotWrapPastTheCheck) {
    // 900 + 2147483647 wraps negative in 32 bits and would pass as on screen.
    EXPECT_EQ(-1, Parse("x=900,w=2147483647").settings.w);
    EXPECT_EQ(-1, Parse("y=700,h=99999999999").settings.h);
    EXPECT_EQ(-5, Parse("x=10,w=-5").settings.w);
}

TEST(RangeChecks, ExtremeScreensStayDefined) {
    const WPRect odd = {0, 0, INT_MIN, INT_MAX};
    Parsed p = Parse("x=-2147483648,y=-2147483648,w=2147483647,h=2147483647", odd);
    EXPECT_EQ(-1, p.settings.x);  // 0 is not left of a screen edge below 0
    EXPECT_EQ(0, p.settings.y);
    EXPECT_EQ(-1, p.settings.w);
    EXPECT_EQ(-1, p.settings.h);
}

// --- Input beyond what a line holds is refused whole --------------------------

TEST(LineLimits, LineOf1023CharactersIsTakenLongerIsRefused) {
    const std::string program(25, 'p');
    const std::string line = "e=" + program + " " + std::string(995, 'a');  // 1023 characters
    Parsed fits = Parse("   " + line + "   ");  // outer blanks do not count
    EXPECT_EQ(program, fits.settings.program);
    EXPECT_EQ(" " + std::string(995, 'a') + " ", fits.settings.arguments);

    ExpectNothingApplied(Parse(line + "c"));
}

TEST(LineLimits, TenWordsAreTakenElevenRefused) {
    Parsed ten = Parse("x=1,e=a.exe 1 2 3 4 5 6 7 8 9");
    EXPECT_STREQ(" 1 2 3 4 5 6 7 8 9 ", ten.settings.arguments);
    ExpectNothingApplied(Parse("x=1,e=a.exe 1 2 3 4 5 6 7 8 9 10"));
    // The t word counts among the ten.
    ExpectNothingApplied(Parse("t=; x=1;e=a.exe 1 2 3 4 5 6 7 8 9"));
}

TEST(LineLimits, ArgumentTextReachesItsFull1023Characters) {
    // Nine words of 100: 1 + 9 * 101 = 910 characters; then 1023 exactly.
    std::string nine = " ";
    for (int i = 0; i < 9; ++i) nine += std::string(100, 'a') + " ";
    EXPECT_EQ(nine, Parse("e=b.exe" + nine).settings.arguments);
    const std::string full = " " + std::string(1021, 'a') + " ";
    EXPECT_EQ(1023u, full.size());
    EXPECT_EQ(full, Parse("e" + full).settings.arguments);
}

TEST(LineLimits, NineItemsAreTakenTenRefused) {
    Parsed nine = Parse("x=1,y=2,w=3,h=4,z=TOP,a=ON,d=ON,q=ON,e=a.exe");
    EXPECT_STREQ("a.exe", nine.settings.program);
    EXPECT_EQ(1, nine.settings.nothingToUndo);
    ExpectNothingApplied(Parse("x=1,y=2,w=3,h=4,z=TOP,a=ON,d=ON,q=ON,s=1,e=a.exe"));
    // Runs of separators make no empty items.
    EXPECT_STREQ("a.exe", Parse(",,x=1,,,y=2,w=3,h=4,z=TOP,a=ON,d=ON,q=ON,e=a.exe,,").settings.program);
}

TEST(LineLimits, PathsOf259CharactersAreTakenLongerRefused) {
    const std::string path(259, 'p');
    struct Case { std::string line; bool taken; const char* fault; };
    const Case cases[] = {
        {"x=5,e=" + path, true, "a 259-character program refused"},
        {"exe=" + path, true, "the written-out key counted against the path"},
        {"e=\"" + path + "\"", true, "the quotes counted against the path"},
        {"f=" + path + ",e=a", true, "a 259-character folder refused"},
        {"x=5,e=" + path + "q", false, "a 260-character program cut to another file"},
        {"f=" + path + "q,e=a", false, "a 260-character folder cut"},
        {"e=" + path + "=b", true, "the piece after the value's \"=\" counted"},
    };
    for (const Case& c : cases) {
        Parsed p = Parse(c.line);
        if (!c.taken) {
            ExpectNothingApplied(p);
            continue;
        }
        EXPECT_EQ(0, p.settings.noProgram) << c.fault;
        EXPECT_EQ(259u, std::max(strlen(p.settings.program), strlen(p.target.workDir))) << c.fault;
    }
    // Items of the other keys are not held to a length either.
    EXPECT_EQ(5, Parse("x=" + std::string(300, '0') + "5").settings.x);  // longer than any path
}

TEST(LineLimits, ValuesOver11CharactersMatchNothing) {
    EXPECT_EQ(1, Parse("s=00000000001").target.noPlacement);   // 11 characters
    EXPECT_EQ(0, Parse("s=000000000001").target.noPlacement);  // 12
    Parsed q = Parse("q=ONONONONONON");
    EXPECT_EQ(0, q.settings.nothingToUndo);
    EXPECT_EQ(1, q.settings.stayResident);
}

// --- Quoted runs in the settings word ----------------------------------------

TEST(QuotedRuns, HoldBlanksSeparatorsAndEqualsAndLoseTheirQuotes) {
    struct Case {
        const char* line;
        const char* program;
        const char* workDir;
        const char* arguments;
        int x;
        const char* fault;
    };
    const Case cases[] = {
        {"x=0,y=0,e=\"C:\\Program Files\\Some App\\app.exe\",f=\"C:\\My Work\" memo.txt",
         "C:\\Program Files\\Some App\\app.exe", "C:\\My Work", " memo.txt ", 0,
         "a blank inside quotes ends the settings word, or the quotes stay in the path"},
        {"e=\"C:\\a,b\\x.exe\",x=5", "C:\\a,b\\x.exe", " ", " ", 5, "a comma inside quotes cuts the item"},
        {"t=; e=\"C:\\a;b\\x.exe\";x=6", "C:\\a;b\\x.exe", " ", " ", 6,
         "the t word's separator inside quotes cuts the item"},
        {"e=\"C:\\a=b\\x.exe\"", "C:\\a=b\\x.exe", " ", " ", -1, "an \"=\" inside quotes ends the value"},
        {"e=C:\\\"Program Files\"\\x.exe", "C:\\Program Files\\x.exe", " ", " ", -1,
         "a quoted run inside the value not joined up"},
        {"e=\"C:\\Program Files\\x.exe a.txt", "C:\\Program Files\\x.exe a.txt", " ", " ", -1,
         "an unmatched quote stops short of the end of the line"},
        {"e=a.exe,e=\"\"", "a.exe", " ", " ", -1, "a value of quotes only taken as a program"},
        {"t=\" x=1\"e=a.exe \"b c\"", "a.exe", " ", " \"b c\" ", 1,
         "a quote chosen as the separator no longer separates"},
        {"t=\\ e=\"a b\"表.exe\\x=7", "a b表.exe", " ", " ", 7,
         "a double-byte character in a quoted run split at its trail byte"},
    };
    for (const Case& c : cases) {
        Parsed p = Parse(c.line);
        EXPECT_STREQ(c.program, p.settings.program) << c.fault;
        EXPECT_STREQ(c.workDir, p.target.workDir) << c.fault;
        EXPECT_STREQ(c.arguments, p.settings.arguments) << c.fault;
        EXPECT_EQ(c.x, p.settings.x) << c.fault;
    }
}

// --- Double-byte characters -----------------------------------------------------

TEST(DoubleByteText, ProgramPathWithHyouParsesWhole) {
    Parsed p = Parse("x=0,e=c:\\表示\\app.exe 資料\\表.txt");
    EXPECT_STREQ("c:\\表示\\app.exe", p.settings.program);
    EXPECT_STREQ(" 資料\\表.txt ", p.settings.arguments);
    EXPECT_EQ(0, p.settings.x);
}

TEST(DoubleByteText, SeparatorNeverSplitsACharacter) {
    // With "\" as the separator, 表 (0x95 0x5C) must stay whole.
    Parsed hyou = Parse("t=\\ e=表.exe\\x=5");
    EXPECT_STREQ("表.exe", hyou.settings.program);
    EXPECT_EQ(5, hyou.settings.x);

    Parsed po = Parse("t=| e=ポ.exe|f=ポ|x=6");
    EXPECT_STREQ("ポ.exe", po.settings.program);
    EXPECT_STREQ("ポ", po.target.workDir);
    EXPECT_EQ(6, po.settings.x);
}

TEST(DoubleByteText, SeparatorWordCountsCharactersNotBytes) {
    // t, 表, ; : the third character is ";", though the third byte is 0x5C.
    Parsed p = Parse("t表; x=1;e=a.exe");
    EXPECT_EQ(1, p.settings.x);
    EXPECT_STREQ("a.exe", p.settings.program);
    // A double-byte third character cannot separate: the comma stays.
    Parsed kept = Parse("t=表 x=1,e=a.exe");
    EXPECT_EQ(1, kept.settings.x);
    EXPECT_STREQ("a.exe", kept.settings.program);
}

TEST(DoubleByteText, DoubleByteFirstCharacterIsNoKey) {
    // A full-width letter is two bytes and never a key.
    Parsed p = Parse("ｅ=a.exe,表=1,e=b.exe");
    EXPECT_STREQ("b.exe", p.settings.program);
}
