#include "responsefile.h"

#include "host_cp932.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string FirstWord(const std::string& content, int* length = nullptr) {
    char word[kMaxLineLength + 1];
    int n = ReadFirstWord(content.data(), content.size(), word);
    if (length) *length = n;
    return word;
}

// The program-wide text after "r=" + path, as the start function holds it.
struct CommandText {
    char text[kCommandTextSize];
    explicit CommandText(const std::string& line) { strcpy(text, line.c_str()); }
};

}  // namespace

// --- The first word ----------------------------------------------------------

TEST(FirstWord, SkipsLeadingWhiteSpaceAndEndsAtTheNext) {
    EXPECT_EQ("x=0,e=a.exe", FirstWord(" \t\r\n x=0,e=a.exe readme.txt\nmore"));
    EXPECT_EQ("x=0,y=0,e=notepad.exe", FirstWord("x=0,y=0,e=notepad.exe readme.txt\r\n"));
    EXPECT_EQ("a", FirstWord("a\tb"));
    EXPECT_EQ("a", FirstWord("a\r\nb"));
    EXPECT_EQ("last", FirstWord("\n\nlast"));
}

TEST(FirstWord, QuotedRunsHoldWhiteSpaceUpToTheLineEnd) {
    struct Case { const char* content; const char* word; const char* fault; };
    const Case cases[] = {
        {"e=\"C:\\Program Files\\x.exe\" memo", "e=\"C:\\Program Files\\x.exe\"",
         "a blank inside quotes ends the word"},
        {"e=\"a\tb\" c", "e=\"a\tb\"", "a tab inside quotes ends the word"},
        {"e=\"a b\"c d", "e=\"a b\"c", "the word goes on past the closing quote's blank"},
        {"e=\"C:\\a b\n c\"", "e=\"C:\\a b", "an unmatched quote reads past its line"},
        {"e=\"a b\r\nc", "e=\"a b", "a CR inside quotes kept in the word"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.word, FirstWord(c.content)) << c.fault;
}

TEST(FirstWord, NoWordGivesEmptyText) {
    int length = -2;
    EXPECT_EQ("", FirstWord("", &length));
    EXPECT_EQ(0, length);
    EXPECT_EQ("", FirstWord(" \r\n\t ", &length));
    EXPECT_EQ(0, length);
}

TEST(FirstWord, NulByteEndsTheWord) {
    int length = 0;
    EXPECT_EQ("x=0", FirstWord(std::string("x=0\0,e=evil.exe", 16), &length));
    EXPECT_EQ(3, length);
}

TEST(FirstWord, WordOver1023CharactersIsRefused) {
    int length = 0;
    EXPECT_EQ(std::string(1023, 'w'), FirstWord(std::string(1023, 'w') + " x", &length));
    EXPECT_EQ(1023, length);
    EXPECT_EQ("", FirstWord(std::string(1024, 'w'), &length));
    EXPECT_EQ(-1, length);
}

TEST(FirstWord, StopsReadingAnEndlessWord) {
    struct Endless {
        long served = 0;
        static int Next(void* self) {
            ++static_cast<Endless*>(self)->served;
            return 'a';
        }
    } source;
    char word[kMaxLineLength + 1];
    EXPECT_EQ(-1, ReadFirstWord(Endless::Next, &source, word));
    EXPECT_LE(source.served, kMaxLineLength + 1);
}

// --- Reading the file named after r= ----------------------------------------

TEST(ResponseFile, FirstWordReplacesTheText) {
    TempFolder folder;
    std::string path = folder.Write("my settings.rsp", "\n  x=0,y=0,e=notepad.exe readme.txt\nz=TOP\n");
    CommandText line("r=" + path);
    LaunchSettings settings;
    settings.responseFailed = 1;  // cleared by a successful read
    readResponseFile(line.text, sizeof line.text, &settings);
    EXPECT_EQ(0, settings.responseFailed);
    EXPECT_STREQ("x=0,y=0,e=notepad.exe", line.text);
}

TEST(ResponseFile, TheFileIsReadAsItWasSaved) {
    HostCp932Installed map;
    TempFolder folder;
    struct Case {
        const char* fault;
        std::string file;
        const char* word;  // null: refused
        int refusedLine;
    } cases[] = {
        {"UTF-8 without a mark read as code page 932", u8"e=C:\\ロフト\\a.exe\r\n", "e=C:\\ロフト\\a.exe", 0},
        {"UTF-16 read byte for byte", Utf16Bytes(u"\uFEFF\r\ne=C:\\ロフト\\a.exe"), "e=C:\\ロフト\\a.exe", 0},
        {"the text not ended at a Ctrl-Z, as a read as text ends it", "e=a.exe\x1A" "b\n", "e=a.exe", 0},
        {"a character code page 932 lacks let through after the first word", u8"e=a.exe\r\n\r\n\U0001F600", nullptr, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const std::string request = "r=" + folder.Write("saved.rsp", c.file);
        CommandText line(request);
        LaunchSettings settings;
        readResponseFile(line.text, sizeof line.text, &settings);
        EXPECT_EQ(c.word ? 0 : 1, settings.responseFailed);
        EXPECT_EQ(c.refusedLine, settings.responseRefusedLine);
        EXPECT_EQ(c.word ? c.word : request, line.text);
    }
}

TEST(ResponseFile, NameIsTakenWholeWithBlanks) {
    TempFolder folder;
    folder.Write("wide", "wrong");
    std::string path = folder.Write("wide .rsp ", "right");  // trailing blank too
    CommandText line("r=" + path);
    LaunchSettings settings;
    readResponseFile(line.text, sizeof line.text, &settings);
    EXPECT_EQ(0, settings.responseFailed);
    EXPECT_STREQ("right", line.text);
}

TEST(ResponseFile, EmptyFileGivesEmptyText) {
    TempFolder folder;
    CommandText line("r=" + folder.Write("empty.rsp", " \r\n"));
    LaunchSettings settings;
    readResponseFile(line.text, sizeof line.text, &settings);
    EXPECT_EQ(0, settings.responseFailed);
    EXPECT_STREQ("", line.text);
}

TEST(ResponseFile, FailuresLeaveTheTextAsItWas) {
    TempFolder folder;
    const std::string tooLong = folder.Write("long.rsp", std::string(1024, 'x'));
    const std::string fine = folder.Write("fine.rsp", "e=a.exe");
    const std::string cases[] = {
        "r=" + folder.Path("missing.rsp"),  // cannot be opened
        "r=",                               // no name
        "r" + fine,                         // no "=" in second position
        "rx=" + fine,
        "r=" + tooLong,                     // word beyond a command line
        // in a caller's larger text, a name that a command line cannot hold
        "r=" + folder.Path(std::string(kCommandTextSize, 'n')),
    };
    for (const std::string& text : cases) {
        std::vector<char> line(std::max(text.size() + 1, sizeof(CommandText)));
        strcpy(line.data(), text.c_str());
        LaunchSettings settings;
        readResponseFile(line.data(), static_cast<int>(line.size()), &settings);
        EXPECT_EQ(1, settings.responseFailed) << text;
        EXPECT_EQ(text, line.data());
    }
}

TEST(ResponseFile, WithoutEqualsNothingIsOpened) {
    TempFolder folder;
    folder.Write("fine.rsp", "e=a.exe");
    WorkingFolder inFolder(folder.Path("."));
    ASSERT_TRUE(inFolder.Entered());
    // Taken from the third character on, this would name fine.rsp.
    char text[kCommandTextSize] = "r:fine.rsp";
    LaunchSettings settings;
    readResponseFile(text, sizeof text, &settings);
    EXPECT_EQ(1, settings.responseFailed);
    EXPECT_STREQ("r:fine.rsp", text);
}

TEST(ResponseFile, WordThatDoesNotFitTheTextIsRefused) {
    TempFolder folder;
    folder.Write("w.rsp", "e=abcdefgh.exe");  // 14 characters
    // A relative name keeps the text short enough for small buffers.
    WorkingFolder inFolder(folder.Path("."));
    ASSERT_TRUE(inFolder.Entered());

    LaunchSettings settings;
    char fits[15] = "r=w.rsp";
    readResponseFile(fits, sizeof fits, &settings);
    EXPECT_EQ(0, settings.responseFailed);
    EXPECT_STREQ("e=abcdefgh.exe", fits);

    char tooSmall[14] = "r=w.rsp";
    readResponseFile(tooSmall, sizeof tooSmall, &settings);
    EXPECT_EQ(1, settings.responseFailed);
    EXPECT_STREQ("r=w.rsp", tooSmall);
}
