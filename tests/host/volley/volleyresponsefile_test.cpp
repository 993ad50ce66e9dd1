#include "volleyresponsefile.h"

#include "host_cp932.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Read {
    EntryList list;
    WPNoticeList notices;
    int status = -1;

    explicit Read(const std::string& text) {
        status = ReadResponseText("list.rsp", text.data(), text.size(), list, &notices);
    }

    LaunchEntry* Launch(int position) { return dynamic_cast<LaunchEntry*>(list.At(position)); }
    SleepEntry* Sleep(int position) { return dynamic_cast<SleepEntry*>(list.At(position)); }
};

// The fields of a launch entry, for compact comparisons.
std::string Fields(const LaunchEntry* entry) {
    if (!entry) return "(not a launch)";
    return std::string(entry->file) + "|" + entry->params + "|" + entry->dir + "|" + std::to_string(entry->show);
}

}  // namespace

TEST(VolleyResponseFile, ReadsTheExampleList) {
    Read r("notepad.exe\n#time,2000\ncalc.exe, ,C:\\work,1\nreadme.txt,,,2\n");
    EXPECT_EQ(kFileRead, r.status);
    ASSERT_EQ(4, r.list.Count());
    EXPECT_EQ("notepad.exe|||1", Fields(r.Launch(0)));
    EXPECT_STREQ("notepad.exe", r.list.At(0)->label);
    ASSERT_NE(nullptr, r.Sleep(1));
    EXPECT_EQ(2000, r.Sleep(1)->ms);
    EXPECT_STREQ("Sleep 2000 ms", r.list.At(1)->label);
    EXPECT_EQ("calc.exe| |C:\\work|6", Fields(r.Launch(2)));
    EXPECT_STREQ("calc.exe", r.list.At(2)->label);
    EXPECT_EQ("readme.txt|2||1", Fields(r.Launch(3)));
    EXPECT_STREQ("readme.txt-2", r.list.At(3)->label);
    EXPECT_EQ(0, r.notices.Count());
}

TEST(VolleyResponseFile, CommasCollapseAndBlanksStay) {
    Read r("notepad.exe,,C:\\work\n"
           " a , b ,c d\n"
           "   \n"
           ",,x.exe,,p,,d,,3,,ignored\n"
           "notepad.exe,readme.txt\n");
    ASSERT_EQ(5, r.list.Count());
    EXPECT_EQ("notepad.exe|C:\\work||1", Fields(r.Launch(0)));
    EXPECT_EQ(" a | b |c d|1", Fields(r.Launch(1)));
    EXPECT_STREQ(" a - b ", r.list.At(1)->label);
    EXPECT_EQ("   |||1", Fields(r.Launch(2)));  // blanks alone still name a file
    EXPECT_EQ("x.exe|p|d|0", Fields(r.Launch(3)));
    EXPECT_STREQ("notepad.exe-readme.txt", r.list.At(4)->label);
}

TEST(VolleyResponseFile, ShowCodesTranslate) {
    struct Case {
        const char* code;
        int show;
    } cases[] = {{"0", 1}, {"1", 6}, {"2", 3}, {"3", 0}, {"4", 1}, {"-1", 1}, {"x", 1},
                 {" 2", 3}, {"+3", 0}, {"2x", 3}, {"99999999999999", 1}};
    for (const Case& c : cases) {
        Read r(std::string("f, ,d,") + c.code);
        ASSERT_EQ(1, r.list.Count()) << c.code;
        EXPECT_EQ(c.show, r.Launch(0)->show) << c.code;
    }
}

TEST(VolleyResponseFile, TimeKeywordIsExactAndCaseSensitive) {
    Read r("#TIME,500\n,#time,500\n#time ,500\n#time,1500,7\n#time,0\n#time,-1\n#time,x\n##time,5\n");
    ASSERT_EQ(8, r.list.Count());
    EXPECT_EQ("#TIME|500||1", Fields(r.Launch(0)));
    ASSERT_NE(nullptr, r.Sleep(1));
    EXPECT_EQ(500, r.Sleep(1)->ms);
    EXPECT_EQ("#time |500||1", Fields(r.Launch(2)));
    EXPECT_EQ(1500, r.Sleep(3)->ms);
    EXPECT_STREQ("Sleep 1500 ms", r.list.At(3)->label);
    EXPECT_EQ(0, r.Sleep(4)->ms);
    EXPECT_EQ(-1, r.Sleep(5)->ms);
    EXPECT_STREQ("Sleep -1 ms", r.list.At(5)->label);
    EXPECT_EQ(0, r.Sleep(6)->ms);
    EXPECT_NE(nullptr, r.Launch(7));
}

TEST(VolleyResponseFile, LinesWithoutFieldsAreNoEntries) {
    Read r("\n,,,\n\r\na.exe\n\n,\nb.exe\r\nc.exe");
    EXPECT_EQ(kFileRead, r.status);
    ASSERT_EQ(3, r.list.Count());
    EXPECT_STREQ("a.exe", r.Launch(0)->file);
    EXPECT_STREQ("b.exe", r.Launch(1)->file);  // CR before LF is no part of the line
    EXPECT_EQ(1, r.list.At(1)->index);
    EXPECT_STREQ("c.exe", r.Launch(2)->file);  // last line without a line feed
    EXPECT_EQ(2, r.list.At(2)->index);

    Read empty("");
    EXPECT_EQ(kFileRead, empty.status);
    EXPECT_EQ(0, empty.list.Count());
}

TEST(VolleyResponseFile, OnlyACarriageReturnBeforeALineFeedIsDropped) {
    Read r("a\rb\nc\r\r\nd\r");
    ASSERT_EQ(3, r.list.Count());
    EXPECT_STREQ("a\rb", r.Launch(0)->file);
    EXPECT_STREQ("c\r", r.Launch(1)->file);
    EXPECT_STREQ("d\r", r.Launch(2)->file);
}

TEST(VolleyResponseFile, LongLinesContinueAsTheNextLine) {
    std::string exact(255, 'a');
    Read fits(exact + "\nb\n");
    ASSERT_EQ(2, fits.list.Count());  // the line feed after 255 characters ends an empty line
    EXPECT_EQ(exact, fits.Launch(0)->file);
    EXPECT_EQ(1, fits.list.At(1)->index);

    Read crlf(std::string(254, 'a') + "\r\nb");
    ASSERT_EQ(2, crlf.list.Count());
    EXPECT_EQ(254u, strlen(crlf.Launch(0)->file));

    Read longLine(std::string(255, 'a') + std::string(45, 'b') + "\n");
    ASSERT_EQ(2, longLine.list.Count());
    EXPECT_EQ(exact, longLine.Launch(0)->file);
    EXPECT_EQ(std::string(45, 'b'), longLine.Launch(1)->file);
}

TEST(VolleyResponseFile, DoubleByteTextStaysWhole) {
    // 表 is 0x95 0x5C: its trail byte is a backslash.
    Read r("C:\\表\\doc表.txt,表,C:\\表\n");
    ASSERT_EQ(1, r.list.Count());
    EXPECT_EQ("C:\\表\\doc表.txt|表|C:\\表|1", Fields(r.Launch(0)));
    EXPECT_STREQ("C:\\表\\doc表.txt-表", r.list.At(0)->label);

    // A character that would straddle the 255th byte starts the next line.
    Read edge(std::string(254, 'a') + "表x\n");
    ASSERT_EQ(2, edge.list.Count());
    EXPECT_EQ(std::string(254, 'a'), edge.Launch(0)->file);
    EXPECT_STREQ("表x", edge.Launch(1)->file);

    // A lone lead byte before a comma is one byte, as the field parser reads
    // it: paired with the comma it moved to the next line and split there.
    Read lone(std::string(254, 'a') + "\x95,b\n");
    ASSERT_EQ(2, lone.list.Count());
    EXPECT_EQ(std::string(254, 'a') + "\x95", lone.Launch(0)->file);
    EXPECT_EQ("b|||1", Fields(lone.Launch(1)));
}

TEST(VolleyResponseFile, LongFieldsAreKeptWholeAndOnlyTheLabelIsCut) {
    std::string file(130, 'f');
    std::string params = std::string(120, 'p') + "表";
    Read r(file + "," + params + "\n");
    ASSERT_EQ(1, r.list.Count());
    EXPECT_EQ(file, r.Launch(0)->file);
    EXPECT_EQ(params, r.Launch(0)->params);
    // 130 + 1 + 120 = 251 bytes, and 表 would need bytes 252 and 253: it fits.
    EXPECT_EQ(file + "-" + params, r.list.At(0)->label);

    // A label is never longer than its line, so only a longer text handed to
    // the parser directly has its label cut, and never inside a character.
    EntryList list;
    ParseLaunchLine((std::string(200, 'f') + "," + std::string(53, 'p') + "表").c_str(), list);
    EXPECT_EQ(std::string(200, 'f') + "-" + std::string(53, 'p'), list.At(0)->label);

    // The longest file and parameters of the classic limit exactly fill it.
    Read full(std::string(127, 'f') + "," + std::string(127, 'p'));
    EXPECT_EQ(255u, strlen(full.list.At(0)->label));
}

TEST(VolleyResponseFile, TimeWithoutValueStopsReadingAndSaysSo) {
    Read r("a.exe\r\n\r\nb.exe\r\n#time,,,\r\nc.exe\r\n");
    EXPECT_EQ(kStoppedAtTimeLine, r.status);
    ASSERT_EQ(2, r.list.Count());
    EXPECT_STREQ("b.exe", r.Launch(1)->file);
    ASSERT_EQ(1, r.notices.Count());
    EXPECT_STREQ("error", r.notices.At(0).caption);
    EXPECT_STREQ("#time without a value in line 4 of list.rsp.\nThat line and the lines after it are not run.",
                 r.notices.At(0).text);
    EXPECT_EQ(0u, r.notices.At(0).style);
    EXPECT_TRUE(r.notices.At(0).beepFirst);
    EXPECT_TRUE(r.notices.At(0).ownedByMainWindow);  // like volley's other error boxes

    // As the first entry it is no longer mistaken for a missing file.
    Read first("#time\nc.exe\n");
    EXPECT_NE(kFileMissing, first.status);
    EXPECT_EQ(0, first.list.Count());
    EXPECT_EQ(1, first.notices.Count());
}

TEST(VolleyResponseFile, NoticeNamesAtMost255CharactersAndKeepsItsLastSentence) {
    // 表 at bytes 255 and 256 of the name would be split by the cut: it goes.
    std::string name = std::string(254, 'n') + "表" + std::string(300, 'x');
    EntryList list;
    WPNoticeList notices;
    std::string data = "a.exe\n#time\n";
    EXPECT_EQ(kStoppedAtTimeLine, ReadResponseText(name.c_str(), data.data(), data.size(), list, &notices));
    ASSERT_EQ(1, notices.Count());
    EXPECT_EQ("#time without a value in line 2 of " + std::string(254, 'n') +
                  ".\nThat line and the lines after it are not run.",
              notices.At(0).text);
}

TEST(VolleyResponseFile, ParsersAppendToTheList) {
    EntryList list;
    list.lineHeight = 10;
    list.nextRect = {0, 0, 150, 10};
    EXPECT_EQ(nullptr, ParseTimeLine("#time", list));
    EXPECT_EQ(nullptr, ParseTimeLine("#time,,,", list));
    EXPECT_EQ(0, list.Count());  // nothing appended for a line without a value
    LaunchEntry* launch = ParseLaunchLine("a.exe", list);
    SleepEntry* sleep = ParseTimeLine("#time,10", list);
    EXPECT_EQ(launch, list.At(0));
    EXPECT_EQ(sleep, list.At(1));
    EXPECT_EQ(10, sleep->rect.top);
}

class VolleyResponseFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/volley-rsp-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        dir_ = pattern;
    }
    void TearDown() override {
        for (const std::string& path : written_) remove(path.c_str());
        rmdir(dir_.c_str());
    }
    std::string Write(const std::string& name, const std::string& text) {
        std::string path = dir_ + "/" + name;
        FILE* f = fopen(path.c_str(), "wb");
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
        written_.push_back(path);
        return path;
    }

    std::string dir_;
    std::vector<std::string> written_;
};

TEST_F(VolleyResponseFileOnDisk, ReadsAnExistingFile) {
    std::string path = Write("表.rsp", "notepad.exe\r\n#time,100\r\n");
    EntryList list;
    WPNoticeList notices;
    EXPECT_EQ(kFileRead, ReadResponseFile(path.c_str(), list, &notices));
    EXPECT_EQ(2, list.Count());

    EntryList none;
    EXPECT_EQ(kFileRead, ReadResponseFile(Write("empty.rsp", "").c_str(), none, &notices));
    EXPECT_EQ(0, none.Count());
    EXPECT_EQ(0, notices.Count());
}

TEST_F(VolleyResponseFileOnDisk, ReadsAFileOfManyChunksWhole) {
    // Lines across several 4096-byte reads and block growths: a growth that
    // lost or reordered bytes would change the count or the last entry.
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "prog" + std::to_string(i) + ".exe\n";
    EntryList list;
    EXPECT_EQ(kFileRead, ReadResponseFile(Write("long.rsp", text).c_str(), list, nullptr));
    ASSERT_EQ(2000, list.Count());
    EXPECT_STREQ("prog1000.exe", list.At(1000)->label);
    EXPECT_STREQ("prog1999.exe", list.At(1999)->label);
}

TEST_F(VolleyResponseFileOnDisk, ReadsAListAsItWasSavedOrRefusesIt) {
    HostCp932Installed map;
    EntryList list;
    WPNoticeList notices;
    // 100 kanji are 300 bytes of UTF-8 but 200 of code page 932: the line
    // limit counts the converted line, so this is one entry.
    std::string kanji;
    for (int i = 0; i < 100; ++i) kanji += u8"表";
    const std::string utf8 = "\xEF\xBB\xBF" + std::string(u8"メモ.txt,表\r\n") + kanji + "\r\n";
    EXPECT_EQ(kFileRead, ReadResponseFile(Write("utf8.rsp", utf8).c_str(), list, &notices));
    ASSERT_EQ(2, list.Count());
    EXPECT_STREQ("メモ.txt-表", list.At(0)->label);
    EXPECT_EQ(200u, strlen(list.At(1)->label));

    EntryList none;
    EXPECT_EQ(kRefusedText, ReadResponseFile(Write("emoji.rsp", u8"a.exe\n\U0001F600\n").c_str(), none, &notices));
    EXPECT_EQ(0, none.Count());  // nothing of the list runs
    ASSERT_EQ(1, notices.Count());
    EXPECT_STREQ("ERROR", notices.At(0).caption);
    EXPECT_STREQ("2行目にShift-JISで表せない文字があるため、ファイルを読めません", notices.At(0).text);
    EXPECT_TRUE(notices.At(0).beepFirst);
    EXPECT_TRUE(notices.At(0).ownedByMainWindow);  // like volley's other error boxes
}

TEST_F(VolleyResponseFileOnDisk, MissingOrUnreadableFilesGiveZero) {
    EntryList list;
    EXPECT_EQ(kFileMissing, ReadResponseFile((dir_ + "/missing.rsp").c_str(), list, nullptr));
    EXPECT_EQ(kFileMissing, ReadResponseFile("", list, nullptr));
    EXPECT_EQ(kFileMissing, ReadResponseFile(dir_.c_str(), list, nullptr));  // a folder
    EXPECT_EQ(0, list.Count());
}
