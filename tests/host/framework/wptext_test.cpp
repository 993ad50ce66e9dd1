#include "wptext.h"

#include <gtest/gtest.h>

#include <string.h>

// String literals in this file are Shift-JIS bytes. 表 is 0x95 0x5C: its
// trail byte is a backslash, the classic trap for path splitting.
static const char kHyou[] = "表";
static_assert(sizeof(kHyou) == 3, "compile with -fexec-charset=CP932");

TEST(CopyText, CutsTerminatesAndReportsFullLength) {
    char buf[5];
    memset(buf, 'x', sizeof buf);
    EXPECT_EQ(10, CopyText(buf, 5, "0123456789"));
    EXPECT_STREQ("0123", buf);

    EXPECT_EQ(0, CopyText(buf, 5, ""));
    EXPECT_STREQ("", buf);

    EXPECT_EQ(4, CopyText(buf, 5, "abcd"));
    EXPECT_STREQ("abcd", buf);

    // A span is read no further than its length (the sanitizer sees more).
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(3, CopySpan(buf, 5, unterminated, 3));
    EXPECT_STREQ("abc", buf);
}

TEST(CopyText, SizeZeroWritesNothing) {
    char buf[2] = {'x', 'y'};
    EXPECT_EQ(3, CopyText(buf, 0, "abc"));
    EXPECT_EQ('x', buf[0]);
    EXPECT_EQ(3, CopyText(buf, 1, "abc"));
    EXPECT_EQ('\0', buf[0]);
    EXPECT_EQ('y', buf[1]);
}

TEST(CopyText, NeverKeepsHalfADoubleByteCharacter) {
    char buf[4];
    // "a表示": room for 3 bytes: 'a' and 表 fit, the lead byte of 示 must not.
    EXPECT_EQ(5, CopyText(buf, 4, "a表示"));
    EXPECT_STREQ("a表", buf);
    // Room for 2 bytes after "a": only 'a' then, never the lone lead byte.
    char small[3];
    CopyText(small, 3, "a表");
    EXPECT_STREQ("a", small);
}

TEST(DropHalfCharacterAtEnd, CutsOnlyALoneLeadByteAtTheEnd) {
    char cut[] = "a表\x8E";  // 示 cut after its lead byte
    EXPECT_EQ(3, DropHalfCharacterAtEnd(cut));
    EXPECT_STREQ("a表", cut);
    char whole[] = "a表示";
    EXPECT_EQ(5, DropHalfCharacterAtEnd(whole));
    EXPECT_STREQ("a表示", whole);
    char empty[] = "";
    EXPECT_EQ(0, DropHalfCharacterAtEnd(empty));
}

TEST(CharLength, ALeadByteTakesOnlyAByteThatCanTrailIt) {
    // Trail bytes are 0x40-0x7E and 0x80-0xFC; a lead byte before anything
    // else is a character of one byte, or it would swallow a delimiter.
    const struct {
        const char* text;
        int length;
    } cases[] = {
        {"\x95,", 1},    {"\x95 ", 1},    {"\x95\x3F", 1}, {"\x95\x7F", 1},
        {"\x95\xFD", 1}, {"\x95", 1},     {"\x95\x40", 2}, {"\x95\x5C", 2},
        {"\x95\x7E", 2}, {"\x95\x80", 2}, {"\x95\xFC", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(c.length, CharLength(c.text)) << int(c.text[1] & 0xFF);
}

TEST(CharLength, AStrayLeadByteSplitsNothingAndIsNotDroppedInsideAText) {
    char field[16];
    Tokenizer settings("x=1\x95,e=a.exe");
    EXPECT_EQ(4, settings.Next(",", field, sizeof field));
    EXPECT_STREQ("x=1\x95", field);
    EXPECT_EQ(7, settings.Next(",", field, sizeof field));
    EXPECT_STREQ("e=a.exe", field);
    Tokenizer timed("7:3\x95 notepad.exe");
    EXPECT_EQ(4, timed.Next(" ", field, sizeof field));
    EXPECT_STREQ("notepad.exe", timed.Rest());
    char inside[] = "a\x95,b";
    EXPECT_EQ(4, DropHalfCharacterAtEnd(inside));
    EXPECT_STREQ("a\x95,b", inside);
}

TEST(ReadNumber, IsLenient) {
    EXPECT_EQ(700, ReadNumber("700ms"));
    EXPECT_EQ(0, ReadNumber("ms"));
    EXPECT_EQ(0, ReadNumber(""));
    EXPECT_EQ(-42, ReadNumber(" \t-42,7"));
    EXPECT_EQ(15, ReadNumber("+15"));
    EXPECT_EQ(0, ReadNumber("- 5"));
    EXPECT_EQ(12, ReadNumber("0012"));
}

TEST(ReadNumber, HoldsLongDigitRunsAtTheLimits) {
    EXPECT_EQ(2147483647, ReadNumber("2147483647"));
    EXPECT_EQ(2147483647, ReadNumber("99999999999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, ReadNumber("-2147483648"));
    EXPECT_EQ(-2147483647 - 1, ReadNumber("-99999999999999999999999999"));
}

TEST(ReadNumber, ReportsWhereTheDigitsEnd) {
    const char* text = "  12ab";
    const char* end = nullptr;
    ReadNumber(text, &end);
    EXPECT_EQ(text + 4, end);
    const char* none = " x";
    ReadNumber(none, &end);
    EXPECT_EQ(none, end);
}

TEST(CompareNoCase, FoldsAsciiOnly) {
    EXPECT_EQ(0, CompareNoCase("Volley.RSP", "volley.rsp"));
    EXPECT_LT(CompareNoCase("abc", "abd"), 0);
    EXPECT_GT(CompareNoCase("abcd", "ABC"), 0);
    EXPECT_EQ(0, CompareNoCase("", ""));
}

TEST(CompareNoCase, ComparesDoubleByteCharactersExactly) {
    // ソ is 0x83 0x5C and ボ is 0x83 0x7B; a byte-wise fold must not touch
    // trail bytes: "\x83\x61" and "\x83\x41" are different characters.
    EXPECT_EQ(0, CompareNoCase("表示A", "表示a"));
    EXPECT_NE(0, CompareNoCase("\x83\x61", "\x83\x41"));
}

TEST(LastPathComponent, StepsOverDoubleByteCharacters) {
    EXPECT_STREQ("a.exe", LastPathComponent("C:\\表示\\a.exe"));
    EXPECT_STREQ("表示", LastPathComponent("C:\\dir\\表示"));
    EXPECT_STREQ("表", LastPathComponent("表"));
    EXPECT_STREQ("notepad.exe", LastPathComponent("notepad.exe"));
    EXPECT_STREQ("", LastPathComponent("C:\\dir\\"));
}

TEST(Tokenizer, RunsOfDelimitersCountAsOne) {
    Tokenizer t("  ab,, c  ,d ");
    char field[8];
    EXPECT_EQ(2, t.Next(" ,", field, sizeof field));
    EXPECT_STREQ("ab", field);
    EXPECT_EQ(1, t.Next(" ,", field, sizeof field));
    EXPECT_STREQ("c", field);
    EXPECT_EQ(1, t.Next(" ,", field, sizeof field));
    EXPECT_STREQ("d", field);
    EXPECT_EQ(-1, t.Next(" ,", field, sizeof field));
    EXPECT_STREQ("", field);
}

TEST(Tokenizer, RemembersThePositionAfterOneDelimiter) {
    Tokenizer t("7:30  notepad.exe  a b");
    const char* start;
    int length;
    ASSERT_TRUE(t.Next(" ", &start, &length));
    EXPECT_EQ(std::string("7:30"), std::string(start, length));
    EXPECT_STREQ(" notepad.exe  a b", t.Rest());
}

TEST(Tokenizer, CutsLongFieldsAndKeepsDoubleByteCharactersWhole) {
    Tokenizer t("C:\\表示\\a.exe");
    char part[8];
    EXPECT_EQ(2, t.Next("\\", part, sizeof part));
    EXPECT_STREQ("C:", part);
    EXPECT_EQ(4, t.Next("\\", part, sizeof part));
    EXPECT_STREQ("表示", part);
    char tiny[4];
    EXPECT_EQ(5, t.Next("\\", tiny, sizeof tiny));
    EXPECT_STREQ("a.e", tiny);
}

TEST(Tokenizer, DelimitersMayChangeBetweenCalls) {
    Tokenizer t("x=1,y=2");
    char field[8];
    t.Next("=", field, sizeof field);
    EXPECT_STREQ("x", field);
    t.Next(",", field, sizeof field);
    EXPECT_STREQ("1", field);
    t.Next("", field, sizeof field);
    EXPECT_STREQ("y=2", field);
}
