#include "wpnotice.h"

#include <gtest/gtest.h>

#include <string>

TEST(MakeNotice, CopiesTextsStyleAndChoices) {
    WPNotice plain = MakeNotice("ERROR", "line one\nline two", 0x30);
    EXPECT_STREQ("ERROR", plain.caption);
    EXPECT_STREQ("line one\nline two", plain.text);
    EXPECT_EQ(0x30u, plain.style);
    EXPECT_FALSE(plain.beepFirst);  // by default: no beep, no owner
    EXPECT_FALSE(plain.ownedByMainWindow);

    WPNotice owned = MakeNotice("", "x", 0, true, true);
    EXPECT_STREQ("", owned.caption);
    EXPECT_TRUE(owned.beepFirst);
    EXPECT_TRUE(owned.ownedByMainWindow);

    WPNotice beepOnly = MakeNotice("c", "t", 0, true);
    EXPECT_TRUE(beepOnly.beepFirst);
    EXPECT_FALSE(beepOnly.ownedByMainWindow);
}

TEST(MakeNotice, TextsThatJustFitStayWhole) {
    std::string caption(31, 'c');
    std::string text(1023, 't');
    WPNotice notice = MakeNotice(caption.c_str(), text.c_str(), 0);
    EXPECT_EQ(caption, notice.caption);
    EXPECT_EQ(text, notice.text);
}

TEST(MakeNotice, LongerTextsAreCutInsideTheBuffersAtWholeCharacters) {
    std::string caption = std::string(30, 'c') + "表表";  // 表 would need bytes 31 and 32
    std::string text = std::string(1022, 't') + "表" + std::string(100, 'u');
    WPNotice notice = MakeNotice(caption.c_str(), text.c_str(), 0);
    EXPECT_EQ(std::string(30, 'c'), notice.caption);
    EXPECT_EQ(std::string(1022, 't'), notice.text);

    std::string plain(5000, 'p');
    WPNotice cut = MakeNotice(plain.c_str(), plain.c_str(), 0);
    EXPECT_EQ(std::string(31, 'p'), cut.caption);
    EXPECT_EQ(std::string(1023, 'p'), cut.text);
}

TEST(MakeNotice, NullTextsCountAsEmpty) {
    WPNotice notice = MakeNotice(nullptr, nullptr, 1);
    EXPECT_STREQ("", notice.caption);
    EXPECT_STREQ("", notice.text);
    EXPECT_EQ(1u, notice.style);
}

TEST(WPNoticeList, KeepsOrderAndRefusesWhatDoesNotFit) {
    WPNoticeList list;
    EXPECT_EQ(0, list.Count());
    for (int i = 0; i < WPNoticeList::kCapacity; ++i)
        EXPECT_TRUE(list.Add(MakeNotice("c", std::to_string(i).c_str(), 0)));
    // A full list refuses: nothing is written past its places.
    EXPECT_FALSE(list.Add(MakeNotice("c", "extra", 0)));
    ASSERT_EQ(WPNoticeList::kCapacity, list.Count());
    for (int i = 0; i < WPNoticeList::kCapacity; ++i) EXPECT_EQ(std::to_string(i), list.At(i).text);
    EXPECT_EQ(&list.At(0), list.Items());
}
