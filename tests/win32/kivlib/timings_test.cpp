// lofter's timing settings against the real registry of the Wine prefix.
// Each case starts without the two keys in the default profile and in the
// user's own branch (and without their parent levels when nothing else lives
// there) and leaves the same state behind.
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
        for (const char* key : {e2e::kLofterDelayKey, e2e::kLofterIntervalKey}) {
            DeleteKeyTree(key);
            DeleteKeyTree(InUserBranch(key).c_str());
        }
        for (const char* level : {e2e::kLofterKey, ".Default\\Software\\Zorva"}) {
            DeleteKeyIfEmpty(level);
            DeleteKeyIfEmpty(InUserBranch(level).c_str());
        }
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
    MakeVolatileKey(InUserBranch(e2e::kLofterKey).c_str());
    TimingSettings times = LoadedAsOnStart();
    times.captureDelay = 1500;
    times.returnInterval = 300;
    // Refused in both places; reported, though the second value was stored.
    EXPECT_FALSE(times.saveTimes());
    EXPECT_EQ(1500, times.captureDelay);
    EXPECT_EQ("2500", StoredText(kCaptureDelayKey));
    EXPECT_EQ("300", StoredText(kReturnIntervalKey));
}

// Where a start finds the capture delay and where a save of 1500 puts it,
// by what the default profile and the user's own branch hold or refuse.
struct PlaceCase {
    const char* fault;
    const char* inDefault;  // stored before the start; nullptr: none
    const char* inUser;
    bool defaultRefused;    // no lasting key can be made there
    bool userRefused;
    int loaded;
    const char* defaultAfterLoad;
    const char* userAfterLoad;
    bool saved;
    const char* defaultAfterSave;
    const char* userAfterSave;
};

TEST_F(LofterTimings, EachValueIsKeptInTheDefaultProfileOrElseInTheUsersBranch) {
    const char* const none = "<missing key>";
    const PlaceCase cases[] = {
        {"the user's own value not read first, or left behind by a save to the default profile",
         "2500", "700", false, false, 700, "2500", "700", true, "1500", "1500"},
        {"a value only in the default profile not used, or copied to the user's branch",
         "2500", nullptr, false, false, 2500, "2500", none, true, "1500", none},
        {"the default created in the user's branch though the default profile takes it",
         nullptr, nullptr, false, false, 1000, "1000", none, true, "1500", none},
        {"a refused default profile: the default or the save not kept in the user's branch",
         nullptr, nullptr, true, false, 1000, none, "1000", true, none, "1500"},
        {"refused in both places but reported as saved",
         nullptr, nullptr, true, true, 1000, none, none, false, none, none},
    };
    const std::string userKey = InUserBranch(kCaptureDelayKey);
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.fault);
        RemoveKeys();
        if (c.inDefault) StoreText(kCaptureDelayKey, c.inDefault);
        if (c.inUser) StoreText(userKey.c_str(), c.inUser);
        if (c.defaultRefused) MakeVolatileKey(e2e::kLofterKey);
        if (c.userRefused) MakeVolatileKey(InUserBranch(e2e::kLofterKey).c_str());

        TimingSettings times = LoadedAsOnStart();
        EXPECT_EQ(c.loaded, times.captureDelay);
        EXPECT_EQ(c.defaultAfterLoad, StoredText(kCaptureDelayKey));
        EXPECT_EQ(c.userAfterLoad, StoredText(userKey.c_str()));

        times.captureDelay = 1500;
        EXPECT_EQ(c.saved, times.saveTimes());
        EXPECT_EQ(c.defaultAfterSave, StoredText(kCaptureDelayKey));
        EXPECT_EQ(c.userAfterSave, StoredText(userKey.c_str()));
        if (c.saved) {
            EXPECT_EQ(1500, LoadedAsOnStart().captureDelay);
        }
    }
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
