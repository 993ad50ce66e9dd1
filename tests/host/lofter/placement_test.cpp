#include "caption.h"
#include "placement.h"

#include <gtest/gtest.h>

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
    };
    const Row rows[] = {
        {false, false, 0, kInsertNotTopMost, 10, 20, 0, 0, kNoMove | kNoSize, true},
        {false, false, 1, kInsertTopMost, 10, 20, 0, 0, kNoMove | kNoSize, false},
        {false, true, 0, kInsertNotTopMost, 10, 20, 0, 0, kNoSize, true},
        {false, true, 1, kInsertTopMost, 10, 20, 0, 0, kNoSize, false},
        {true, false, 0, kInsertNotTopMost, 0, 0, 300, 200, kNoMove, true},
        {true, false, 1, kInsertTopMost, 0, 0, 300, 200, kNoMove, false},
        {true, true, 0, kInsertNotTopMost, 10, 20, 300, 200, 0, true},
        {true, true, 1, kInsertTopMost, 10, 20, 300, 200, 0, false},
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
    }
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
