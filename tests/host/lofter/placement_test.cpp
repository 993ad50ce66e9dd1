#include "caption.h"
#include "placement.h"

#include <gtest/gtest.h>

#include <limits.h>

#include <string>

using namespace lofter;

namespace {

// Settings with a position 10,20 and a size 300x200; which of them counts
// is decided by moveWanted and sizeWanted.
LaunchSettings Given(int topMost) {
    LaunchSettings s;
    s.x = 10;
    s.y = 20;
    s.w = 300;
    s.h = 200;
    s.topMost = topMost;
    return s;
}

}  // namespace

TEST(PlacementTable, EachCaseMakesItsOwnCall) {
    struct Row {
        bool size, move;
        int topMost;
        int insertAfter, x, y, cx, cy;
        unsigned flags;
        bool leavesNothingToUndo;
        bool movesOrSizes;  // false: a maximized window stays maximized
    };
    const Row rows[] = {
        {false, false, 0, kInsertNotTopMost, 10, 20, 0, 0, kNoMove | kNoSize, true, false},
        {false, false, 1, kInsertTopMost, 10, 20, 0, 0, kNoMove | kNoSize, false, false},
        {false, true, 0, kInsertNotTopMost, 10, 20, 0, 0, kNoSize, true, true},
        {false, true, 1, kInsertTopMost, 10, 20, 0, 0, kNoSize, false, true},
        {true, false, 0, kInsertNotTopMost, 0, 0, 300, 200, kNoMove, true, true},
        {true, false, 1, kInsertTopMost, 0, 0, 300, 200, kNoMove, false, true},
        {true, true, 0, kInsertNotTopMost, 10, 20, 300, 200, 0, true, true},
        {true, true, 1, kInsertTopMost, 10, 20, 300, 200, 0, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "size " << r.size << " move " << r.move << " top " << r.topMost);
        PlacementCall c = ChoosePlacement(Given(r.topMost), r.move, r.size);
        EXPECT_EQ(r.insertAfter, c.insertAfter);
        EXPECT_EQ(r.x, c.x);
        EXPECT_EQ(r.y, c.y);
        EXPECT_EQ(r.cx, c.cx);
        EXPECT_EQ(r.cy, c.cy);
        EXPECT_EQ(r.flags, c.flags);
        EXPECT_EQ(r.leavesNothingToUndo, c.leavesNothingToUndo);
        EXPECT_EQ(r.movesOrSizes, c.movesOrSizes);
    }
    // On the monitor m=N chose a position counts from its corner, and no
    // number typed into the placement dialog wraps round the virtual screen.
    LaunchSettings onLeft = Given(0);
    onLeft.origin = WPPoint(-1280, -200);
    PlacementCall c = ChoosePlacement(onLeft, true, true);
    EXPECT_EQ(-1270, c.x);
    EXPECT_EQ(-180, c.y);
    onLeft.x = INT_MAX;
    onLeft.origin = WPPoint(1920, 0);
    EXPECT_EQ(INT_MAX, ChoosePlacement(onLeft, true, false).x);
}

TEST(PlacementEnd, OnlyAPlacementWithNothingToKeepEndsTheRun) {
    struct Row {
        const char* fault;
        int nothingToUndo, stayResident, autoReturn;
        bool ends;
    };
    const Row rows[] = {
        {"plain placement kept lofter running", 1, 0, 0, true},
        {"top-most to undo ended the run", 0, 0, 0, false},
        {"resident option ignored", 1, 1, 0, false},
        {"auto return ignored", 1, 0, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fault);
        LaunchSettings s;
        s.nothingToUndo = r.nothingToUndo;
        s.stayResident = r.stayResident;
        s.autoReturn = r.autoReturn;
        EXPECT_EQ(r.ends, PlacementEndsRun(s));
    }
}

TEST(Caption, BaseNameOfTheProgramAfterLoft) {
    struct Row {
        const char* fault;
        std::string program, caption;
    };
    const Row rows[] = {
        {"path kept in the caption", "c:\\tools\\notepad.exe", "LOFT notepad.exe"},
        {"name without folder lost", "notepad.exe", "LOFT notepad.exe"},
        {"trailing backslash gave an empty name", "c:\\tools\\\\", "LOFT tools"},
        {"no program: not just the prefix", "", "LOFT "},
        // 表 ends in the byte '\': it must not cut the name.
        {"double-byte trail byte taken for a backslash", "c:\\表示.exe", "LOFT 表示.exe"},
        {"long name not cut at 63", std::string(70, 'a'), "LOFT " + std::string(63, 'a')},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fault);
        char caption[kCaptionSize];
        BuildCaption(r.program.c_str(), caption, sizeof caption);
        EXPECT_EQ(r.caption, caption);
    }
    // 32 double-byte characters are 64 bytes: the 63-character cut drops the last whole.
    std::string wide;
    for (int i = 0; i < 32; ++i) wide += "表";
    char caption[kCaptionSize];
    BuildCaption(wide.c_str(), caption, sizeof caption);
    EXPECT_EQ("LOFT " + wide.substr(0, 62), caption);
}
