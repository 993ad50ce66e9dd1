// The suite's texts are Shift-JIS; without code page 932 every Japanese
// text would be garbled, so a missing locale must fail loudly here.
#include <windows.h>

#include <gtest/gtest.h>

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
