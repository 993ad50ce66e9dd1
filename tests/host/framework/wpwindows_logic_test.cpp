// Window-free rules behind the framework's windows: print paging, the
// keyboard cursor, the edit field's character filter, document texts,
// printer names, scroll steps and control map checks.
#include <gtest/gtest.h>

#include <stddef.h>
#include <string.h>

#include <string>
#include <vector>

#include "wpcharfilter.h"
#include "wpctrlmap.h"
#include "wpdoctext.h"
#include "wpkeycursor.h"
#include "wppager.h"
#include "wpprintername.h"
#include "wpscrollstep.h"

namespace {

struct PageLog {
    int pages = 1;
    std::vector<int> linesOnPage{0};
    std::vector<int> ys;
};

PageLog Print(PrintPager& pager, const std::vector<std::string>& lines) {
    PageLog log;
    for (const std::string& line : lines) {
        PrintPager::Step step = pager.Next(line.c_str(), static_cast<int>(line.size()));
        if (step.newPageFirst) {
            ++log.pages;
            log.linesOnPage.push_back(0);
        }
        if (step.writeLine) {
            ++log.linesOnPage.back();
            log.ys.push_back(step.y);
        }
    }
    return log;
}

TEST(PrintPaging, SixtyLinesOnFiftyLinePageGiveFortyNineThenTheRest) {
    PrintPager pager;
    pager.Start(20, 50 * 20);  // room for 50 lines, the last kept free
    EXPECT_EQ(49, pager.LinesPerPage());
    PageLog log = Print(pager, std::vector<std::string>(60, "line"));
    ASSERT_EQ(2, log.pages);
    EXPECT_EQ(49, log.linesOnPage[0]);
    EXPECT_EQ(11, log.linesOnPage[1]);
    EXPECT_EQ(0, log.ys[0]);
    EXPECT_EQ(48 * 20, log.ys[48]);
    EXPECT_EQ(0, log.ys[49]);  // first line of the second page at the top
}

TEST(PrintPaging, FormFeedAloneStartsPageAndPrintsNothing) {
    PrintPager pager;
    pager.Start(10, 1000);
    PageLog log = Print(pager, {"a", "\f", "b"});
    ASSERT_EQ(2, log.pages);
    EXPECT_EQ(1, log.linesOnPage[0]);
    EXPECT_EQ(1, log.linesOnPage[1]);
    EXPECT_EQ(0, log.ys[1]);
    // An empty line is a line, whatever byte comes after it.
    EXPECT_TRUE(pager.Next("\f", 0).writeLine);
}

TEST(PrintPaging, DegenerateMetricsNeverDivideByZeroOrStall) {
    PrintPager pager;
    pager.Start(0, 1000);
    EXPECT_GE(pager.LinesPerPage(), 1);
    pager.Start(100, 50);  // page shorter than a line
    PageLog log = Print(pager, {"a", "b", "c"});
    EXPECT_EQ(3, log.pages);  // one line a page, no empty pages
    EXPECT_EQ(3u, log.ys.size());
}

TEST(KeyboardCursor, FirstPressMovesTwoPixelsAndReleaseResets) {
    int step = 1;
    step = AccelerateStep(step, 1);
    int x = 50, y = 50;
    ASSERT_TRUE(MoveByArrowKey(0x27, step, &x, &y, 0, 0, 100, 100));
    EXPECT_EQ(52, x);
    EXPECT_EQ(50, y);
    step = AccelerateStep(step, 1);
    ASSERT_TRUE(MoveByArrowKey(0x26, step, &x, &y, 0, 0, 100, 100));
    EXPECT_EQ(47, y);
}

TEST(KeyboardCursor, NeverLeavesTheClientArea) {
    int x = 98, y = 1;
    MoveByArrowKey(0x27, 10, &x, &y, 0, 0, 100, 80);
    EXPECT_EQ(99, x);
    MoveByArrowKey(0x27, 1, &x, &y, 0, 0, 100, 80);
    EXPECT_EQ(99, x);  // the right edge itself is outside
    MoveByArrowKey(0x26, 10, &x, &y, 0, 0, 100, 80);
    EXPECT_EQ(0, y);
    MoveByArrowKey(0x28, 0x7FFFFFFF, &x, &y, 0, 0, 100, 80);
    EXPECT_EQ(79, y);
    MoveByArrowKey(0x25, 0x7FFFFFFF, &x, &y, -5, 0, 100, 80);
    EXPECT_EQ(-5, x);
}

TEST(KeyboardCursor, OtherKeysAndHugeRepeatCounts) {
    int x = 5, y = 5;
    EXPECT_FALSE(MoveByArrowKey(0x24, 3, &x, &y, 0, 0, 10, 10));
    EXPECT_EQ(5, x);
    EXPECT_FALSE(IsArrowKey(0x29));
    EXPECT_TRUE(IsArrowKey(0x25));
    int step = 1;
    for (int i = 0; i < 100000; ++i)
        step = AccelerateStep(step, 0xFFFF);
    EXPECT_GT(step, 0);
    // A step of nothing would freeze the cursor: it is at least a pixel.
    EXPECT_EQ(1, AccelerateStep(0, 0));
    EXPECT_EQ(1, AccelerateStep(-7, 2));
}

TEST(EditCharFilter, DigitsOnlyRefusesLettersAndPunctuation) {
    CharFilter filter;
    const char* digits = "0123456789";
    EXPECT_TRUE(filter.Refuses('a', digits));
    EXPECT_TRUE(filter.Refuses('-', digits));
    EXPECT_TRUE(filter.Refuses(' ', digits));
    EXPECT_FALSE(filter.Refuses('7', digits));
    EXPECT_FALSE(filter.Refuses('\b', digits));
    EXPECT_FALSE(filter.Refuses(0x7F, digits));
    EXPECT_FALSE(filter.Refuses('a', nullptr));
    // The edges of the printable ranges: a control character and the byte
    // before the half-width katakana pass, '~' and the katakana's ends do not.
    for (unsigned char passes : {0x1F, 0xA0}) EXPECT_FALSE(filter.Refuses(passes, digits)) << int(passes);
    for (unsigned char refused : {0x7E, 0xA1, 0xDF}) EXPECT_TRUE(filter.Refuses(refused, digits)) << int(refused);
}

TEST(EditCharFilter, BothBytesOfDoubleByteCharacterPass) {
    CharFilter filter;
    // U+30BD (so) is 0x83 0x5C: its trail byte is a backslash.
    EXPECT_FALSE(filter.Refuses(0x83, "0123456789"));
    EXPECT_FALSE(filter.Refuses(0x5C, "0123456789"));
    EXPECT_TRUE(filter.Refuses(0x5C, "0123456789"));  // now a real backslash
}

TEST(EditCharFilter, HalfWidthKatakanaAreSingleByteLetters) {
    CharFilter filter;
    for (unsigned char kana : {0xA1, 0xB1, 0xDF}) {
        EXPECT_TRUE(filter.Refuses(kana, "0123456789")) << int(kana);
        EXPECT_FALSE(filter.Refuses('5', "0123456789")) << "no trail byte was awaited after " << int(kana);
    }
    const char kanaAllowed[] = {static_cast<char>(0xB1), '\0'};
    EXPECT_FALSE(filter.Refuses(0xB1, kanaAllowed));
}

TEST(EditCharFilter, AllowedSetIsReadByCharacters) {
    CharFilter filter;
    // The set holds only a double-byte character whose trail byte is 'A'.
    const char set[] = {static_cast<char>(0x83), 'A', '\0'};
    EXPECT_TRUE(filter.Refuses('A', set));
}

TEST(DocumentTexts, CaptionWithNameOrUntitled) {
    char caption[kCaptionSize];
    FormatCaption(caption, sizeof caption, "Volley", "C:\\a.rsp");
    EXPECT_STREQ("Volley C:\\a.rsp", caption);
    FormatCaption(caption, sizeof caption, "Volley", "");
    EXPECT_STREQ("Volley (untitled)", caption);
    FormatCaption(caption, sizeof caption, "Volley", nullptr);
    EXPECT_STREQ("Volley (untitled)", caption);
}

TEST(DocumentTexts, LongTextsAreCutInsideTheBuffer) {
    char small[8];
    memset(small, 'x', sizeof small);
    int full = FormatCaption(small, sizeof small, "Title", "name.txt");
    EXPECT_EQ(14, full);
    EXPECT_STREQ("Title n", small);
    std::string longName(127, 'n');
    char caption[kCaptionSize];
    FormatCaption(caption, sizeof caption, std::string(200, 't').c_str(), longName.c_str());
    EXPECT_EQ(kCaptionSize - 1, static_cast<int>(strlen(caption)));

    char none[2] = {'x', 'x'};
    EXPECT_EQ(14, FormatCaption(none, 0, "Title", "name.txt"));  // no room: untouched
    EXPECT_EQ('x', none[0]);
    EXPECT_EQ(14, FormatCaption(none, 1, "Title", "name.txt"));
    EXPECT_STREQ("", none);
    // A cut never leaves half a double-byte character, not even in the
    // middle of the text: the name's last character does not fit whole, the
    // one-byte blank after it still does.
    char tight[6];
    FormatSavePrompt(tight, sizeof tight, "abcdあ");
    EXPECT_STREQ("abcd ", tight);
}

TEST(DocumentTexts, SavePromptTexts) {
    char prompt[300];
    FormatSavePrompt(prompt, sizeof prompt, "");
    EXPECT_STREQ("「無題」は更新されています。保存しますか？", prompt);
    FormatSavePrompt(prompt, sizeof prompt, "a.txt");
    EXPECT_STREQ("a.txt は更新されています。保存しますか？", prompt);
}

TEST(PrinterName, DeviceCutAtFirstCommaAndEntrySplit) {
    char device[kPrinterBufferSize] = "Laser,winspool,LPT1:";
    EXPECT_STREQ("Laser", CutDeviceName(device));
    char entry[] = "winspool,LPT1:,extra";
    const char* driver;
    const char* port;
    SplitDriverAndPort(entry, &driver, &port);
    EXPECT_STREQ("winspool", driver);
    EXPECT_STREQ("LPT1:,extra", port);
    char bare[] = "driveronly";
    SplitDriverAndPort(bare, &driver, &port);
    EXPECT_STREQ("driveronly", driver);
    EXPECT_STREQ("", port);
}

TEST(ScrollSteps, LinePageThumbAndOthers) {
    EXPECT_EQ(7, ScrollTarget(kScrollLineUp, 10, 0, 3, 8));
    EXPECT_EQ(13, ScrollTarget(kScrollLineDown, 10, 0, 3, 8));
    EXPECT_EQ(2, ScrollTarget(kScrollPageUp, 10, 0, 3, 8));
    EXPECT_EQ(18, ScrollTarget(kScrollPageDown, 10, 0, 3, 8));
    EXPECT_EQ(42, ScrollTarget(kScrollThumbTrack, 10, 42, 3, 8));
    EXPECT_EQ(42, ScrollTarget(kScrollThumbPosition, 10, 42, 3, 8));
    EXPECT_EQ(10, ScrollTarget(8 /* end scroll */, 10, 42, 3, 8));
}

WPCtrl* NoFactory(WPDialog*, int) { return nullptr; }

struct Record {
    int check;
    char name[16];
};

TEST(ControlMapCheck, SoundTableAndEachKindOfFault) {
    // Controls without a value may sit anywhere, even inside another's value,
    // before or after it.
    const WPCtrlMapEntry good[] = {
        {NoFactory, 104, offsetof(Record, check) + 1, 0},
        {NoFactory, 101, offsetof(Record, check), sizeof(int)},
        {NoFactory, 102, offsetof(Record, name), sizeof(Record::name)},
        {NoFactory, 103, offsetof(Record, name) + 1, 0},
        {nullptr, 102, 0, 0}};
    EXPECT_EQ(0, CheckControlMap(good, sizeof(Record)));
    EXPECT_EQ(102, ControlMapFocusId(good));

    const WPCtrlMapEntry outside[] = {{NoFactory, 101, offsetof(Record, name), 17}, {nullptr, 0, 0, 0}};
    EXPECT_EQ(1, CheckControlMap(outside, sizeof(Record)));
    const WPCtrlMapEntry overlap[] = {
        {NoFactory, 101, 0, 8}, {NoFactory, 102, 4, 4}, {nullptr, 0, 0, 0}};
    EXPECT_EQ(2, CheckControlMap(overlap, sizeof(Record)));
    const WPCtrlMapEntry oneByteInside[] = {
        {NoFactory, 101, 4, 1}, {NoFactory, 102, 0, 8}, {nullptr, 0, 0, 0}};
    EXPECT_EQ(2, CheckControlMap(oneByteInside, sizeof(Record)));
    const WPCtrlMapEntry twice[] = {
        {NoFactory, 101, 0, 4}, {NoFactory, 101, 4, 4}, {nullptr, 0, 0, 0}};
    EXPECT_EQ(2, CheckControlMap(twice, sizeof(Record)));

    // Each row: the fault that would let its second entry through.
    const struct {
        const char* fault;
        WPCtrlMapEntry second;
    } refused[] = {
        {"id 0 taken", {NoFactory, 0, 8, 4}},
        {"a negative size taken", {NoFactory, 102, 8, -1}},
        {"a negative offset taken", {NoFactory, 102, -4, 4}},
        {"a later one-byte value inside an earlier one taken", {NoFactory, 102, 2, 1}},
    };
    for (const auto& row : refused) {
        const WPCtrlMapEntry map[] = {{NoFactory, 101, 0, 4}, row.second, {nullptr, 0, 0, 0}};
        EXPECT_EQ(2, CheckControlMap(map, sizeof(Record))) << row.fault;
    }
    const WPCtrlMapEntry touchingBackwards[] = {
        {NoFactory, 102, 4, 16}, {NoFactory, 101, 0, 4}, {nullptr, 0, 0, 0}};
    EXPECT_EQ(0, CheckControlMap(touchingBackwards, sizeof(Record))) << "values that touch taken for overlapping";
    const WPCtrlMapEntry onlyFocus[] = {{nullptr, 7, 0, 0}};
    EXPECT_EQ(0, CheckControlMap(onlyFocus, sizeof(Record)));
    EXPECT_EQ(7, ControlMapFocusId(onlyFocus));
}

}  // namespace
