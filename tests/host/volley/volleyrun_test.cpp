// The run of a list and the wait between launches, with a fake clock, fake
// launches and fake rows.
#include "volleyentrylist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A clock that moves only when the wait pauses, by the pause asked for (the
// first pause off by lag), so every reading and pause of a wait is seen.
struct PausedClock {
    static uint32_t now;
    static int32_t lag;  // how much later (or earlier) than asked the first pause ends
    static std::vector<uint32_t> pauses;
    static int reads;
    static uint32_t Read() {
        // A wait that never pauses would spin forever: let time run out on it.
        if (++reads > 1000) now += 1000000;
        return now;
    }
    static void Pause(uint32_t ms) {
        pauses.push_back(ms);
        now += ms + static_cast<uint32_t>(lag);
        lag = 0;
    }
};
uint32_t PausedClock::now;
int32_t PausedClock::lag;
std::vector<uint32_t> PausedClock::pauses;
int PausedClock::reads;

class VolleyWait : public ::testing::Test {
protected:
    void SetUp() override {
        PausedClock::pauses.clear();
        PausedClock::reads = 0;
        PausedClock::lag = 0;
        SleepEntry::tickCount = &PausedClock::Read;
        SleepEntry::pause = &PausedClock::Pause;
    }
    void TearDown() override {
        SleepEntry::tickCount = nullptr;
        SleepEntry::pause = nullptr;
    }
};

TEST_F(VolleyWait, SleepsThroughTheWaitInsteadOfSpinning) {
    struct Case {
        const char* fault;
        uint32_t start;
        int32_t ms;
        int32_t lag;
        std::vector<uint32_t> pauses;
    } cases[] = {
        {"a wait that spins reads the clock without pausing", 1000, 1500, 0, {1500}},
        {"a pause that ends early ends the wait", 1000, 1500, -3, {1500, 3}},
        {"the wrap of the counter makes the remainder huge", 0xFFFFFF00u, 0x200, 0, {0x200}},
        {"a pause that ends late is followed by another", 5, 100, 7, {100}},
        {"the wait of 0 or less pauses at all", 5, 0, 0, {}},
        {"a negative wait pauses at all", 5, -1, 0, {}},
        {"a long wait asks for an unbounded pause", 0, 150000, 0, {60000, 60000, 30000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        PausedClock::now = c.start;
        PausedClock::lag = c.lag;
        PausedClock::pauses.clear();
        PausedClock::reads = 0;
        SleepEntry wait(c.ms);
        EXPECT_EQ(1, wait.Execute());
        EXPECT_EQ(c.pauses, PausedClock::pauses);
        // The start, one reading after each pause, and the one that ends it.
        EXPECT_EQ(static_cast<int>(c.pauses.size()) + 2, PausedClock::reads);
    }
}

// Launches that fail when their file is "bad", recording what was started.
std::vector<std::string> started;
int FakeLaunch(const LaunchEntry& entry) {
    started.push_back(entry.file);
    return std::string(entry.file) != "bad";
}

// Rows are only addresses here; what the list asks of them is recorded,
// and the order of moves (m) and paints (p).
std::vector<std::pair<EntryRow*, int32_t>> moves;  // row, new top
std::string rowCalls;
void FakeMove(EntryRow* row, const EntryRect& rect) {
    moves.push_back({row, rect.top});
    rowCalls += 'm';
}
void FakePaint(EntryRow*) { rowCalls += 'p'; }

class VolleyRun : public ::testing::Test {
protected:
    void SetUp() override {
        started.clear();
        moves.clear();
        rowCalls.clear();
        LaunchEntry::performLaunch = FakeLaunch;
        EntryList::moveRow = FakeMove;
        EntryList::paintRow = FakePaint;
    }
    void TearDown() override {
        LaunchEntry::performLaunch = nullptr;
        EntryList::moveRow = nullptr;
        EntryList::paintRow = nullptr;
    }
    // "#time" adds a wait of 0 ms, any other name a launch of it.
    void Fill(EntryList& list, const std::vector<const char*>& files) {
        list.lineHeight = 10;
        list.nextRect = {0, 0, 150, 10};
        for (const char* file : files) {
            Entry* entry = std::string(file) == "#time" ? static_cast<Entry*>(new SleepEntry(0))
                                                         : new LaunchEntry(file, "", "", 0);
            list.Append(entry);
            entry->row = reinterpret_cast<EntryRow*>(&rowStorage[entry->index]);
        }
    }
    char rowStorage[8] = {};
};

TEST_F(VolleyRun, StopsAtTheFirstFailureAndReportsItsIndex) {
    struct Case {
        const char* fault;
        std::vector<const char*> files;
        int result;
        std::vector<std::string> started;
    } cases[] = {
        {"the later entries are still run", {"a", "bad", "c"}, 1, {"a", "bad"}},
        {"the count starts at 1", {"bad", "b"}, 0, {"bad"}},
        {"waits are not counted", {"a", "#time", "bad", "d"}, 2, {"a", "bad"}},
        {"a full run reports a failure", {"a", "#time", "c"}, -1, {"a", "c"}},
        {"an empty list reports a failure", {}, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        started.clear();
        EntryList list;
        Fill(list, c.files);
        EXPECT_EQ(c.result, list.RunAll());
        EXPECT_EQ(c.started, started);
    }
}

TEST_F(VolleyRun, EachDoneEntryScrollsItselfAndTheLaterRowsUpAndRepaintsAll) {
    EntryList list;
    Fill(list, {"a", "b", "bad"});
    EXPECT_EQ(2, list.RunAll());
    // After a: all three rows up one line; after b: b and bad once more.
    const std::vector<std::pair<EntryRow*, int32_t>> expected = {
        {list.At(0)->row, -10}, {list.At(1)->row, 0}, {list.At(2)->row, 10},
        {list.At(1)->row, -10}, {list.At(2)->row, 0}};
    EXPECT_EQ(expected, moves);
    EXPECT_EQ("mmmppp" "mmppp", rowCalls);  // every row painted after the rows moved
    EXPECT_EQ(-10, list.At(0)->rect.top);
    EXPECT_EQ(0, list.At(0)->rect.bottom);
    EXPECT_EQ(10, list.At(2)->rect.bottom);  // moved up twice, from 30
}

}  // namespace
