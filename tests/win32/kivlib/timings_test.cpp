// lofter's timing settings against the real registry of the Wine prefix.
// Each case starts without the two keys (and without their parent levels
// when nothing else lives there) and leaves the same state behind.
#include <gtest/gtest.h>

#include "lofter_keys.h"
#include "registry_state.h"
#include "timings.h"

namespace {

class LofterTimings : public ::testing::Test {
protected:
    void SetUp() override { RemoveKeys(); }
    void TearDown() override { RemoveKeys(); }

    static void RemoveKeys() {
        DeleteKeyTree(e2e::kLofterDelayKey);
        DeleteKeyTree(e2e::kLofterIntervalKey);
        DeleteKeyIfEmpty(".Default\\Software\\Zorva\\Kivora");
        DeleteKeyIfEmpty(".Default\\Software\\Zorva");
    }

    // A new run: the built-in defaults, then what the registry holds.
    static TimingSettings LoadedAsOnStart() {
        TimingSettings times;
        times.loadTimes();
        return times;
    }
};

TEST_F(LofterTimings, FirstRunStoresAndUsesTheDefaults) {
    TimingSettings times = LoadedAsOnStart();
    EXPECT_EQ(1000, times.captureDelay);
    EXPECT_EQ(500, times.returnInterval);
    // Under the paths the suite publishes (written out in lofter_keys.h).
    EXPECT_EQ("1000", StoredText(e2e::kLofterDelayKey));
    EXPECT_EQ("500", StoredText(e2e::kLofterIntervalKey));
}

TEST_F(LofterTimings, StoredTimesReplaceTheDefaults) {
    StoreText(kCaptureDelayKey, "2500");
    StoreText(kReturnIntervalKey, "250");
    TimingSettings times = LoadedAsOnStart();
    EXPECT_EQ(2500, times.captureDelay);
    EXPECT_EQ(250, times.returnInterval);
    EXPECT_EQ("2500", StoredText(kCaptureDelayKey));
    EXPECT_EQ("250", StoredText(kReturnIntervalKey));
}

TEST_F(LofterTimings, OnlyTheMissingKeyIsCreatedWithTheCurrentValue) {
    StoreText(kCaptureDelayKey, "2500");
    TimingSettings times;
    times.returnInterval = 750;  // whatever is current when loading
    times.loadTimes();
    EXPECT_EQ(2500, times.captureDelay);
    EXPECT_EQ(750, times.returnInterval);
    EXPECT_EQ("750", StoredText(kReturnIntervalKey));
}

TEST_F(LofterTimings, SavedTimesAreUsedByTheNextRun) {
    TimingSettings first = LoadedAsOnStart();
    first.captureDelay = 1500;
    first.returnInterval = 300;
    EXPECT_TRUE(first.saveTimes());
    EXPECT_EQ("1500", StoredText(kCaptureDelayKey));
    EXPECT_EQ("300", StoredText(kReturnIntervalKey));

    TimingSettings next = LoadedAsOnStart();
    EXPECT_EQ(1500, next.captureDelay);
    EXPECT_EQ(300, next.returnInterval);
}

TEST_F(LofterTimings, SavingCreatesMissingKeys) {
    TimingSettings times;
    times.captureDelay = 1500;
    times.returnInterval = -1;  // no range check on the way in or out
    EXPECT_TRUE(times.saveTimes());
    EXPECT_EQ("1500", StoredText(kCaptureDelayKey));
    EXPECT_EQ("-1", StoredText(kReturnIntervalKey));
    EXPECT_EQ(-1, LoadedAsOnStart().returnInterval);
}

TEST_F(LofterTimings, ARefusedSaveKeepsTheValuesInMemory) {
    StoreText(kCaptureDelayKey, "2500");
    StoreText(kReturnIntervalKey, "250");
    MakeReadOnly(kCaptureDelayKey);
    TimingSettings times = LoadedAsOnStart();
    times.captureDelay = 1500;
    times.returnInterval = 300;
    // Reported, though the second value was stored.
    EXPECT_FALSE(times.saveTimes());
    EXPECT_EQ(1500, times.captureDelay);
    EXPECT_EQ("2500", StoredText(kCaptureDelayKey));
    EXPECT_EQ("300", StoredText(kReturnIntervalKey));
}

TEST_F(LofterTimings, StoredTextsAreReadLeniently) {
    StoreText(kCaptureDelayKey, "700ms");
    StoreText(kReturnIntervalKey, "fast");
    TimingSettings times = LoadedAsOnStart();
    EXPECT_EQ(700, times.captureDelay);
    EXPECT_EQ(0, times.returnInterval);

    StoreText(kCaptureDelayKey, "  +2000 ");
    StoreText(kReturnIntervalKey, "");
    times = LoadedAsOnStart();
    EXPECT_EQ(2000, times.captureDelay);
    EXPECT_EQ(0, times.returnInterval);
}

TEST_F(LofterTimings, AKeyWithoutTextGivesZeroAndIsLeftAsItIs) {
    MakeEmptyKey(kCaptureDelayKey);
    TimingSettings times = LoadedAsOnStart();
    EXPECT_EQ(0, times.captureDelay);
    EXPECT_EQ("<no value>", StoredText(kCaptureDelayKey));
}

}  // namespace
