// The suite's texts are Shift-JIS; without code page 932 every Japanese
// text would be garbled, so a missing locale must fail loudly here.
#include "wpcodepage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(Platform, RunsWithCodePage932) {
    ASSERT_EQ(932u, GetACP()) << "Wine needs LANG=ja_JP.UTF-8 with the glibc locale generated";
}

TEST(Platform, LiteralsAreShiftJis) {
    // 表示 in Shift-JIS, as the compiler's execution charset must produce.
    EXPECT_STREQ("\x95\x5C\x8E\xA6", "表示");
    wchar_t wide[8] = {};
    ASSERT_EQ(3, MultiByteToWideChar(CP_ACP, 0, "表示", -1, wide, 8));
    EXPECT_EQ(L'\u8868', wide[0]);
    EXPECT_EQ(L'\u793A', wide[1]);
}

// The system's conversion that lists and response files are decoded with.
TEST(Platform, SystemCp932GivesTheCharacterOrNone) {
    struct Case {
        const char* fault;
        unsigned short unit;
        const char* bytes;  // empty: none
    } cases[] = {
        {"a kanji whose trail byte is a backslash not converted", 0x8868, "表"},
        {"half-width katakana not one byte", 0xFF71, "ｱ"},
        {"the yen sign's look-alike, a backslash, taken", 0x00A5, ""},
        {"an accented e's look-alike, e, taken", 0x00E9, ""},
        {"the JIS wave dash's look-alike, the full-width tilde, taken", 0x301C, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        char out[2] = {};
        const int count = SystemCp932(c.unit, out);
        EXPECT_EQ(std::string(c.bytes), std::string(out, count));
    }
}
