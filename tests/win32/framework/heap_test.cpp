// The tracked heap, its reports and the out-of-memory prompt.
#include "recording_platform.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <set>
#include <stdio.h>

namespace {

// Each test leaves the application object's counters as it found them, so
// the exit-time object report of the test program stays silent.
class TrackedHeap : public ::testing::Test {
protected:
    void SetUp() override {
        UseThisModule();
        local_ = wpApp.local;
        bigCount_ = wpApp.bigCount;
        bigBytes_ = wpApp.bigBytes;
        handler_ = wpApp.oomHandler;
    }
    void TearDown() override {
        while (wpApp.subHeaps) wpApp.RemoveSubHeap(wpApp.subHeaps);
        wpApp.local = local_;
        wpApp.bigCount = bigCount_;
        wpApp.bigBytes = bigBytes_;
        wpApp.oomHandler = handler_;
    }

    std::string Hex(const void* p) {
        char text[16];
        snprintf(text, sizeof text, "%x", static_cast<unsigned>(reinterpret_cast<uintptr_t>(p)));
        return text;
    }

    RecordingPlatform platform_;
    WPHeapStats local_;
    int32_t bigCount_ = 0, bigBytes_ = 0;
    WPOomHandler handler_ = nullptr;
};

}  // namespace

TEST_F(TrackedHeap, LocalBlocksAreZeroedAndCounted) {
    unsigned char* block = static_cast<unsigned char*>(wpApp.LocalNew(100));
    ASSERT_NE(nullptr, block);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(0, block[i]);
    EXPECT_EQ(local_.count + 1, wpApp.local.count);
    EXPECT_GE(wpApp.local.bytes - local_.bytes, 100);
    wpApp.LocalDelete(block);
    EXPECT_EQ(local_.count, wpApp.local.count);
    EXPECT_EQ(local_.bytes, wpApp.local.bytes);
    EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(TrackedHeap, ExtraFreeIsReportedEveryTimeAndFreesNothing) {
    wpApp.local.count = 0;
    void* block = wpApp.LocalNew(8);
    void* other = wpApp.LocalNew(8);
    wpApp.LocalDelete(block);
    wpApp.local.count = 0;  // as if one more block had been freed than made
    wpApp.LocalDelete(other);
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_EQ("Extra object freed!\nsegment: 0\toffset: " + Hex(other) + ".",
              platform_.boxes[0].text);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OK), platform_.boxes[0].type);
    EXPECT_EQ(-1, wpApp.local.count);
    wpApp.LocalDelete(other);
    EXPECT_EQ(2u, platform_.boxes.size());
    EXPECT_EQ(-2, wpApp.local.count);
    LocalFree(LocalHandle(other));  // it was never freed
}

TEST_F(TrackedHeap, SubHeapsHaveDistinctNonzeroIdsNewestFirst) {
    std::set<unsigned> ids;
    WPSubHeap* last = nullptr;
    for (int i = 0; i < 12; ++i) {
        WPSubHeap* heap = wpApp.AddSubHeap(100);
        ASSERT_NE(nullptr, heap);
        EXPECT_NE(0u, heap->id);
        EXPECT_GE(GlobalSize(heap->memory), 8192u);
        ids.insert(heap->id);
        EXPECT_EQ(heap, wpApp.subHeaps);
        EXPECT_EQ(last, heap->next);
        EXPECT_EQ(heap, wpApp.lastSubHeap);
        last = heap;
    }
    EXPECT_EQ(12u, ids.size());
}

TEST_F(TrackedHeap, FindSubHeapUsesAndUpdatesTheCache) {
    WPSubHeap* older = wpApp.AddSubHeap(9000);
    WPSubHeap* newer = wpApp.AddSubHeap(10);
    ASSERT_TRUE(older && newer);
    EXPECT_EQ(newer, wpApp.lastSubHeap);
    EXPECT_EQ(older, wpApp.FindSubHeap(older->id));
    EXPECT_EQ(older, wpApp.lastSubHeap);
    EXPECT_EQ(newer, wpApp.FindSubHeap(newer->id));
    EXPECT_TRUE(platform_.boxes.empty());

    unsigned short missing = static_cast<unsigned short>(older->id ^ newer->id ^ 0x8000);
    if (missing == older->id || missing == newer->id || missing == 0) missing = 1;
    EXPECT_EQ(nullptr, wpApp.FindSubHeap(missing));
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"FALSE\""));
}

TEST_F(TrackedHeap, RemoveSubHeapUnlinksAndClearsTheCache) {
    WPSubHeap* a = wpApp.AddSubHeap(10);
    WPSubHeap* b = wpApp.AddSubHeap(10);
    HGLOBAL block = b->memory;
    wpApp.RemoveSubHeap(b);
    EXPECT_EQ(0u, GlobalSize(block));  // its memory given back
    EXPECT_EQ(a, wpApp.subHeaps);
    EXPECT_EQ(nullptr, wpApp.lastSubHeap);
    EXPECT_TRUE(platform_.boxes.empty());

    WPSubHeap stranger;
    wpApp.RemoveSubHeap(&stranger);
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"h!=NULL\""));
    EXPECT_EQ(a, wpApp.subHeaps);
}

TEST_F(TrackedHeap, ZeroSizeAssertsAndStillMakesAFullSizeHeap) {
    WPSubHeap* heap = wpApp.AddSubHeap(0x10000);  // taken as 16-bit: 0
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"hpsz > 0\""));
    ASSERT_NE(nullptr, heap);
    EXPECT_GE(GlobalSize(heap->memory), 8192u);
}

TEST_F(TrackedHeap, ObjectReportCountsLeftObjectsAndEmptiesSubHeaps) {
    wpApp.local.count = wpApp.baseCount + 2;
    wpApp.bigCount = 1;
    WPSubHeap* heap = wpApp.AddSubHeap(10);
    heap->count = 4;
    wpApp.ObjectReport();
    EXPECT_EQ(nullptr, wpApp.subHeaps);
    EXPECT_EQ(nullptr, wpApp.lastSubHeap);
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_EQ("7 objects remaining!", platform_.boxes[0].text);
}

TEST_F(TrackedHeap, NothingLeftMeansNoReport) {
    wpApp.local.count = wpApp.baseCount;
    wpApp.bigCount = 0;
    wpApp.ObjectReport();
    EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(TrackedHeap, HeapReportIsCaptionedWithTheProgramName) {
    wpApp.local.count = 3;
    wpApp.local.bytes = 96;
    EXPECT_EQ(IDOK, wpApp.HeapReport(0));
    platform_.answers.push_back(IDCANCEL);
    EXPECT_EQ(IDCANCEL, wpApp.HeapReport(1));
    ASSERT_EQ(2u, platform_.boxes.size());
    EXPECT_EQ("framework_tests", platform_.boxes[0].caption);
    EXPECT_EQ(nullptr, platform_.boxes[0].owner);
    EXPECT_EQ(UINT(MB_OK), platform_.boxes[0].type);
    EXPECT_EQ(UINT(MB_OKCANCEL), platform_.boxes[1].type);
    EXPECT_EQ(0u, platform_.boxes[0].text.find("BIG OBJECTS:\t0 obj\t0 bytes\nLOCAL HEAP:\t3 obj\t96 bytes\n"));
}

TEST_F(TrackedHeap, AllHeapReportsShowsOwnThenOthersUntilCancel) {
    {
        WPApp second;  // joins the list at its head
        WPApp third;
        strcpy(second.name, "second");
        strcpy(third.name, "third");
        platform_.answers = {IDOK, IDCANCEL};
        wpApp.AllHeapReports();
        ASSERT_EQ(2u, platform_.boxes.size());
        EXPECT_EQ("framework_tests", platform_.boxes[0].caption);
        EXPECT_EQ(UINT(MB_OK), platform_.boxes[0].type);
        EXPECT_EQ("third", platform_.boxes[1].caption);  // list order: newest first
        EXPECT_EQ(UINT(MB_OKCANCEL), platform_.boxes[1].type);
    }
    EXPECT_EQ(&wpApp, appList);
    EXPECT_EQ(nullptr, wpApp.next);
}

TEST_F(TrackedHeap, OutOfMemoryHandlerGetsTheLow16BitsAndIsNotReentered) {
    static int calls;
    static unsigned short seen;
    static int inner;
    calls = 0;
    wpApp.SetOomHandler([](unsigned short size) {
        ++calls;
        seen = size;
        inner = wpApp.OnOutOfMemory(1);  // the handler itself runs out
        return 1;
    });
    EXPECT_EQ(1, wpApp.OnOutOfMemory(0x12345));
    EXPECT_EQ(1, calls);
    EXPECT_EQ(0x2345, seen);
    EXPECT_EQ(0, inner);
    EXPECT_EQ(0, wpApp.oomDepth);
    EXPECT_NE(nullptr, wpApp.SetOomHandler(nullptr));  // the one it replaced
    EXPECT_EQ(0, wpApp.OnOutOfMemory(10));
}

TEST_F(TrackedHeap, OutOfMemoryPromptRetriesOrReportsAndEnds) {
    EXPECT_EQ(reinterpret_cast<WPOomHandler>(WPOutOfMemoryPrompt), handler_);
    platform_.answers = {IDRETRY, IDCANCEL};
    EXPECT_EQ(1, wpApp.OnOutOfMemory(64));
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_EQ("ATTENTION", platform_.boxes[0].caption);
    EXPECT_EQ(0x15u, platform_.boxes[0].type);
    // The whole text as the user must read it (two blanks after the first
    // full stop, none at the end), not the constant compared with itself.
    EXPECT_EQ("The system has run out of memory.  You may be able to reclaim some memory by closing "
              "other applications; if so, close them now and then press 'Retry'; otherwise, press "
              "'Cancel' to terminate this application",
              platform_.boxes[0].text);
    EXPECT_TRUE(platform_.endRequests.empty());

    wpApp.local.count = wpApp.baseCount + 1;  // one object left at the end
    EXPECT_EQ(0, wpApp.OnOutOfMemory(64));
    ASSERT_EQ(3u, platform_.boxes.size());
    EXPECT_EQ("1 objects remaining!", platform_.boxes[2].text);
    ASSERT_EQ(1u, platform_.endRequests.size());
    EXPECT_EQ(-1, platform_.endRequests[0]);
}
