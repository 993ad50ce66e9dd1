#include "volleycommandline.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

VolleyCommandLine Parse(const char* tail) {
    VolleyCommandLine result;
    memset(&result, 'x', sizeof result);  // the parser must not rely on a clean record
    ParseVolleyCommandLine(tail, &result);
    return result;
}

}  // namespace

TEST(VolleyCommandLine, DefaultFileOnlyForAnEmptyTail) {
    for (const char* tail : {"", static_cast<const char*>(nullptr)}) {
        VolleyCommandLine c = Parse(tail);
        EXPECT_STREQ("Volley.rsp", c.fileArg);
        EXPECT_STREQ("", c.option);
        EXPECT_FALSE(HidesMainWindow(c));
    }
    // An option alone gives an empty name, which is then not found.
    VolleyCommandLine c = Parse("-h");
    EXPECT_STREQ("", c.fileArg);
    EXPECT_STREQ("-h", c.option);
    EXPECT_TRUE(HidesMainWindow(c));
    EXPECT_STREQ("", Parse("   ").fileArg);
}

TEST(VolleyCommandLine, NameAndOptionInEitherOrder) {
    for (const char* tail : {"list.rsp -h", "-h list.rsp", "  list.rsp -h"}) {
        VolleyCommandLine c = Parse(tail);
        EXPECT_STREQ("list.rsp", c.fileArg) << tail;
        EXPECT_STREQ("-h", c.option) << tail;
        EXPECT_TRUE(HidesMainWindow(c)) << tail;
        EXPECT_FALSE(ShowsVersion(c)) << tail;
    }
}

TEST(VolleyCommandLine, SecondWordKeepsEveryBlankAfterTheFirstOne) {
    VolleyCommandLine twoBlanks = Parse("list.rsp  -h");
    EXPECT_STREQ("list.rsp", twoBlanks.fileArg);
    EXPECT_STREQ(" -h", twoBlanks.option);
    EXPECT_FALSE(HidesMainWindow(twoBlanks));

    VolleyCommandLine trailing = Parse("list.rsp -h ");
    EXPECT_STREQ("-h ", trailing.option);
    EXPECT_FALSE(HidesMainWindow(trailing));

    // The first word ends at its first blank; an empty rest is no word.
    VolleyCommandLine lone = Parse("list.rsp ");
    EXPECT_STREQ("list.rsp", lone.fileArg);
    EXPECT_STREQ("", lone.option);
}

TEST(VolleyCommandLine, DashAnywhereMakesTheOptionAndLaterWordsReplace) {
    VolleyCommandLine dashed = Parse("my-list.rsp");
    EXPECT_STREQ("", dashed.fileArg);
    EXPECT_STREQ("my-list.rsp", dashed.option);

    // A name with a blank splits; the second part, a name too, wins.
    EXPECT_STREQ("Lists\\a.rsp", Parse("C:\\My Lists\\a.rsp").fileArg);

    VolleyCommandLine twoOptions = Parse("-v -h");
    EXPECT_STREQ("-h", twoOptions.option);
    EXPECT_STREQ("", twoOptions.fileArg);

    // Any other option word is accepted and does nothing.
    VolleyCommandLine other = Parse("list.rsp -x");
    EXPECT_STREQ("list.rsp", other.fileArg);
    EXPECT_FALSE(HidesMainWindow(other));
}

TEST(VolleyCommandLine, VersionOptionReplacesTheName) {
    for (const char* tail : {"-v", "list.rsp -v", "-v list.rsp", "-h -v"}) {
        VolleyCommandLine c = Parse(tail);
        EXPECT_STREQ("-v", c.fileArg) << tail;
        EXPECT_TRUE(ShowsVersion(c)) << tail;
        EXPECT_TRUE(HidesMainWindow(c)) << tail;
    }
    // "-v" must be exact.
    EXPECT_FALSE(ShowsVersion(Parse("list.rsp -V")));
    EXPECT_STREQ("list.rsp", Parse("list.rsp -V").fileArg);
}

TEST(VolleyCommandLine, DoubleByteNamesStayWhole) {
    // 表 ends in 0x5C, a backslash; the name must not be cut or split there.
    VolleyCommandLine c = Parse("C:\\表\\表.rsp -h");
    EXPECT_STREQ("C:\\表\\表.rsp", c.fileArg);
    EXPECT_TRUE(HidesMainWindow(c));
    EXPECT_STREQ("表 表", Parse("-h 表 表").fileArg);
}

TEST(VolleyCommandLine, NamesThatDoNotFitAreRefusedNotCut) {
    std::string fits(255, 'a');
    VolleyCommandLine whole = Parse(fits.c_str());
    EXPECT_EQ(fits, whole.fileArg);
    EXPECT_EQ(0, whole.nameRefused);

    for (std::string name : {std::string(256, 'a'), std::string(254, 'a') + "表", std::string(4000, 'a')}) {
        VolleyCommandLine c = Parse((name + " -h").c_str());
        EXPECT_STREQ("", c.fileArg);
        EXPECT_EQ(1, c.nameRefused);
        EXPECT_TRUE(HidesMainWindow(c));
    }

    // A later name that fits replaces the refused one.
    VolleyCommandLine replaced = Parse((std::string(300, 'a') + " b.rsp").c_str());
    EXPECT_STREQ("b.rsp", replaced.fileArg);
    EXPECT_EQ(0, replaced.nameRefused);

    // -v still wins over a name that was refused.
    EXPECT_TRUE(ShowsVersion(Parse(("-v " + std::string(300, 'a')).c_str())));
}

TEST(VolleyCommandLine, LongOptionsAreCutAndNeverMatch) {
    std::string longOption = "-h" + std::string(400, ' ');
    VolleyCommandLine c = Parse(("list.rsp " + longOption).c_str());
    EXPECT_EQ(longOption.substr(0, 255), c.option);
    EXPECT_FALSE(HidesMainWindow(c));
    EXPECT_STREQ("list.rsp", c.fileArg);
}
