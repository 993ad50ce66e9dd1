// Monitors by number (m=N) and positions counted from the chosen one.
#include "commandline.h"
#include "screens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lofter;

namespace {

// A primary screen of 1920x1080 with a monitor left of it, one above it and
// one right of it, reported in the system's own order.
const WPRect kPrimary(0, 0, 1920, 1080);
const WPRect kLeft(-1280, 0, 0, 1024);
const WPRect kAbove(0, -1080, 1920, 0);
const WPRect kRight(1920, -200, 3840, 1000);

ScreenLayout FourMonitors() {
    ScreenLayout screens(kPrimary);
    NumberMonitor(&screens, kRight, false);
    NumberMonitor(&screens, kAbove, false);
    NumberMonitor(&screens, kPrimary, true);
    NumberMonitor(&screens, kLeft, false);
    return screens;
}

}  // namespace

TEST(MonitorNumbers, PrimaryFirstThenByLeftThenTopEdge) {
    const ScreenLayout screens = FourMonitors();
    ASSERT_EQ(4, screens.monitorCount);
    EXPECT_EQ(kPrimary, screens.monitors[0]) << "the primary monitor is not monitor 1";
    EXPECT_EQ(kLeft, screens.monitors[1]) << "not ordered by the left edge";
    EXPECT_EQ(kAbove, screens.monitors[2]);
    EXPECT_EQ(kRight, screens.monitors[3]);

    ScreenLayout stacked(kPrimary);
    NumberMonitor(&stacked, WPRect(1920, 500, 3840, 1580), false);
    NumberMonitor(&stacked, WPRect(1920, -580, 3840, 500), false);
    EXPECT_EQ(-580, stacked.monitors[0].top) << "monitors with one left edge not ordered by the top edge";

    // Past 16 monitors the one that would get the highest number drops out;
    // the primary one, reported last, is still monitor 1.
    ScreenLayout many(kPrimary);
    for (int i = kMaxMonitors; i >= 1; --i) NumberMonitor(&many, WPRect(i * 100, 0, i * 100 + 100, 100), false);
    NumberMonitor(&many, kLeft, true);
    ASSERT_EQ(kMaxMonitors, many.monitorCount);
    EXPECT_EQ(kLeft, many.monitors[0]);
    EXPECT_EQ(100, many.monitors[1].left);
    EXPECT_EQ((kMaxMonitors - 1) * 100, many.monitors[kMaxMonitors - 1].left);
}

TEST(MonitorPositions, CountFromTheChosenMonitor) {
    struct Row {
        const char* fault;
        std::string line;
        int x, y, w, h;
        WPPoint origin;
    };
    const Row rows[] = {
        {"m=2 counted from the primary screen", "m=2,x=100,y=50", 100, 50, -1, -1, {-1280, 0}},
        {"negative numbers not counted from the chosen monitor's far edges", "m=2,x=-300,y=-100", 980, 924,
         -1, -1, {-1280, 0}},
        {"a monitor above the primary one lost its negative top", "m=3,x=10,y=-80", 10, 1000, -1, -1,
         {0, -1080}},
        {"the right monitor's width not used for the range check", "m=4,x=1919,y=1199,w=0,h=0", 1919, 1199, 0,
         0, {1920, -200}},
        {"a position past the chosen monitor kept", "m=2,x=1280,y=1024", -1, -1, -1, -1, {-1280, 0}},
        {"a size reaching the chosen monitor's edge kept", "m=2,x=1000,y=0,w=280,h=1024", 1000, 0, -1, -1,
         {-1280, 0}},
        {"an m item after x not applied to it", "x=-300,y=0,w=279,h=10,m=2", 980, 0, 279, 10, {-1280, 0}},
        {"the last m item not the one that counts", "m=4,m=2,x=-1,y=-1", 1279, 1023, -1, -1, {-1280, 0}},
        {"m=1 not the primary monitor", "m=1,x=-200,y=-100", 1720, 980, -1, -1, {0, 0}},
        {"a number naming no monitor not the primary screen", "m=5,x=-200,y=-100", 1720, 980, -1, -1, {0, 0}},
        {"m=0 not the primary screen", "m=0,x=-200,y=5", 1720, 5, -1, -1, {0, 0}},
        {"an m item without \"=\" second taken", "mon=2,x=-200,y=5", 1720, 5, -1, -1, {0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fault);
        LaunchSettings settings;
        LaunchTarget target;
        parseCommandLine(r.line.c_str(), FourMonitors(), &settings, &target);
        EXPECT_EQ(r.x, settings.x);
        EXPECT_EQ(r.y, settings.y);
        EXPECT_EQ(r.w, settings.w);
        EXPECT_EQ(r.h, settings.h);
        EXPECT_EQ(r.origin, settings.origin);
    }
}
