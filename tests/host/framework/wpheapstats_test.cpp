#include "wpheapstats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Report(int32_t bigCount, int32_t bigBytes, const WPHeapStats& local,
                   const WPSubHeap* heaps) {
    char buffer[1024];
    return FormatHeapReport(buffer, sizeof buffer, bigCount, bigBytes, local, heaps);
}

// n sub-heaps linked newest first: ids n..1, heap i with i objects and 100*i bytes.
std::vector<WPSubHeap> Heaps(int n) {
    std::vector<WPSubHeap> heaps(n);
    for (int i = 0; i < n; ++i) {
        heaps[i].id = static_cast<uint16_t>(n - i);
        heaps[i].count = n - i;
        heaps[i].bytes = 100 * (n - i);
        heaps[i].next = i + 1 < n ? &heaps[i + 1] : nullptr;
    }
    return heaps;
}

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(HeapReport, WithoutSubHeapsHasTheTwoFirstLinesOnly) {
    WPHeapStats local;
    local.count = 3;
    local.bytes = 48;
    EXPECT_EQ("BIG OBJECTS:\t2 obj\t4096 bytes\nLOCAL HEAP:\t3 obj\t48 bytes\n",
              Report(2, 4096, local, nullptr));
}

TEST(HeapReport, OneSubHeapGivesItsLineAndTotals) {
    WPHeapStats local;
    local.count = 1;
    local.bytes = 16;
    WPSubHeap heap;
    heap.id = 0x2a;
    heap.count = 4;
    heap.bytes = 8192;
    EXPECT_EQ("BIG OBJECTS:\t0 obj\t0 bytes\n"
              "LOCAL HEAP:\t1 obj\t16 bytes\n"
              "HEAP [2a]:\t4 obj\t8192 bytes\n"
              "\nTotals: 1 heaps, 5 objects, 8208 bytes.",
              Report(0, 0, local, &heap));
}

TEST(HeapReport, TwelveSubHeapsShowTenLinesEllipsisAndTotalsOverAll) {
    WPHeapStats local;
    local.count = 2;
    local.bytes = 10;
    std::vector<WPSubHeap> heaps = Heaps(12);
    std::string text = Report(7, 700, local, &heaps[0]);
    EXPECT_EQ(10, CountOf(text, "HEAP ["));
    EXPECT_EQ(1, CountOf(text, ". . ."));
    EXPECT_NE(std::string::npos, text.find("HEAP [c]:\t12 obj\t1200 bytes\n"));  // newest first
    EXPECT_NE(std::string::npos, text.find("HEAP [3]:\t3 obj\t300 bytes\n"));
    EXPECT_EQ(std::string::npos, text.find("HEAP [2]"));
    // 2 + (1 + ... + 12) objects, 10 + 100 * 78 bytes; big objects not counted.
    EXPECT_NE(std::string::npos, text.find(". . .\nTotals: 12 heaps, 80 objects, 7810 bytes."));
    EXPECT_EQ(0u, text.rfind("BIG OBJECTS:\t7 obj\t700 bytes\n", 0));
    // The eleventh heap is the ellipsis, whatever follows it.
    heaps = Heaps(11);
    EXPECT_NE(std::string::npos, Report(0, 0, local, &heaps[0]).find("HEAP [2]:\t2 obj\t200 bytes\n. . .\n"));
}

TEST(HeapReport, SmallBufferIsCutAndTerminated) {
    WPHeapStats local;
    std::vector<WPSubHeap> heaps = Heaps(12);
    char buffer[40];
    FormatHeapReport(buffer, sizeof buffer, 0, 0, local, &heaps[0]);
    EXPECT_EQ(39u, std::string(buffer).size());
    // Two bytes left after a whole line still take a character.
    char twoLeft[29];
    FormatHeapReport(twoLeft, sizeof twoLeft, 0, 0, local, &heaps[0]);
    EXPECT_STREQ("BIG OBJECTS:\t0 obj\t0 bytes\nL", twoLeft);
    // No room: nothing touched; one byte: the terminator alone.
    char one[1] = {'x'};
    EXPECT_EQ(one, FormatHeapReport(one, 0, 0, 0, local, nullptr));
    EXPECT_EQ('x', one[0]);
    EXPECT_STREQ("", FormatHeapReport(one, 1, 0, 0, local, nullptr));
}

TEST(AssertText, NamesLineFileAndQuotedExpression) {
    char text[kAssertTextSize];
    FormatAssertText(text, "mainWin", "wploop.cpp", 17);
    EXPECT_STREQ("at line 17 in file wploop.cpp: \"mainWin\"", text);
}

TEST(AssertText, IsCutTo79Characters) {
    char text[kAssertTextSize + 8];
    memset(text, 'x', sizeof text);
    std::string longPath = "C:\\" + std::string(200, 'p') + "\\wpwin.cpp";
    FormatAssertText(text, "IsWindow(hwnd)", longPath.c_str(), 9);
    EXPECT_EQ(79u, strlen(text));
    EXPECT_EQ('x', text[kAssertTextSize]);  // nothing written past the buffer
}

TEST(OutOfMemoryText, IsTheExactPrompt) {
    std::string text = kOutOfMemoryText;
    EXPECT_EQ(0u, text.find("The system has run out of memory.  You may"));
    const std::string tail = "close them now and then press 'Retry'; otherwise, press 'Cancel' to "
                             "terminate this application";
    EXPECT_EQ(text.size() - tail.size(), text.find(tail));
}
