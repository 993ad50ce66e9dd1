#include "volleyentrylist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SleepEntry* Wait(int ms) { return new SleepEntry(ms); }

}  // namespace

TEST(VolleyEntryList, AppendNumbersEntriesAndStacksTheirRows) {
    EntryList list;
    list.lineHeight = 16;
    list.nextRect = {0, 0, 240, 16};
    for (int i = 0; i < 3; ++i) {
        Entry* entry = list.Append(Wait(i));
        EXPECT_EQ(i, entry->index);
        EXPECT_EQ(0, entry->rect.left);
        EXPECT_EQ(16 * i, entry->rect.top);
        EXPECT_EQ(240, entry->rect.right);
        EXPECT_EQ(16 * (i + 1), entry->rect.bottom);
    }
    EXPECT_EQ(3, list.Count());
    EXPECT_EQ(48, list.nextRect.top);
    EXPECT_EQ(64, list.nextRect.bottom);
    EXPECT_EQ(nullptr, list.At(2)->next);
}

TEST(VolleyEntryList, AtClampsToTheEnds) {
    EntryList empty;
    EXPECT_EQ(nullptr, empty.At(0));
    EXPECT_EQ(nullptr, empty.At(-1));

    EntryList list;
    std::vector<Entry*> entries;
    for (int i = 0; i < 3; ++i) entries.push_back(list.Append(Wait(i)));
    EXPECT_EQ(entries[0], list.At(0));
    EXPECT_EQ(entries[1], list.At(1));
    EXPECT_EQ(entries[2], list.At(2));
    EXPECT_EQ(entries[2], list.At(3));
    EXPECT_EQ(entries[2], list.At(1000));
    EXPECT_EQ(entries[0], list.At(-1));
}

TEST(VolleyEntryList, IteratesThroughTheCursor) {
    EntryList empty;
    EXPECT_EQ(nullptr, empty.First());
    EXPECT_EQ(nullptr, empty.Next());

    EntryList list;
    Entry* a = list.Append(Wait(1));
    Entry* b = list.Append(Wait(2));
    EXPECT_EQ(a, list.First());
    EXPECT_EQ(b, list.Next());
    EXPECT_EQ(nullptr, list.Next());
    EXPECT_EQ(nullptr, list.Next());  // stays at the end instead of crashing
    EXPECT_EQ(a, list.First());       // and starts over
}

class FakeClock {
public:
    static std::vector<uint32_t> readings;
    static size_t reads;
    // Gives the readings in turn, then runs on by a second per reading, so a
    // wait that misses its end shows up as extra reads instead of a hang.
    static uint32_t Read() {
        uint32_t value = reads < readings.size() ? readings[reads]
                                                 : readings.back() + 1000u * static_cast<uint32_t>(reads - readings.size() + 1);
        ++reads;
        return value;
    }
};
std::vector<uint32_t> FakeClock::readings;
size_t FakeClock::reads = 0;

class VolleyEntryExecute : public ::testing::Test {
protected:
    void SetUp() override {
        SleepEntry::tickCount = &FakeClock::Read;
        FakeClock::reads = 0;
    }
    void TearDown() override {
        SleepEntry::tickCount = nullptr;
        LaunchEntry::performLaunch = nullptr;
    }
};

TEST_F(VolleyEntryExecute, SleepPollsUntilTheTimeHasPassed) {
    FakeClock::readings = {1000, 1000, 1400, 2499, 2500, 9999};
    SleepEntry entry(1500);
    EXPECT_EQ(1, entry.Execute());
    EXPECT_EQ(5u, FakeClock::reads);
}

TEST_F(VolleyEntryExecute, SleepSurvivesTheCounterWrapping) {
    FakeClock::readings = {0xFFFFFF00u, 0xFFFFFFF0u, 0x00000010u, 0x00000100u};
    SleepEntry entry(0x200);
    EXPECT_EQ(1, entry.Execute());
    EXPECT_EQ(4u, FakeClock::reads);
}

TEST_F(VolleyEntryExecute, SleepOfZeroOrLessReadsTheClockOnceMore) {
    for (int ms : {0, -1}) {
        FakeClock::readings = {5000, 5000, 9000};
        FakeClock::reads = 0;
        SleepEntry entry(ms);
        EXPECT_EQ(1, entry.Execute());
        EXPECT_EQ(2u, FakeClock::reads);
    }
}

TEST_F(VolleyEntryExecute, LaunchReportsWhatTheShellSays) {
    static const LaunchEntry* seen;
    LaunchEntry entry("calc.exe", " ", "C:\\work", 1);
    EXPECT_EQ(0, entry.Execute());  // nothing to open with: a failure, not a crash

    LaunchEntry::performLaunch = [](const LaunchEntry& e) { seen = &e; return 0; };
    EXPECT_EQ(0, entry.Execute());
    EXPECT_EQ(&entry, seen);
    LaunchEntry::performLaunch = [](const LaunchEntry&) { return 42; };
    EXPECT_NE(0, entry.Execute());
}
