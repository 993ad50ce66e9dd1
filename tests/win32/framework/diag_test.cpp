// Assertion and error boxes: their texts, types and answers.
#include "recording_platform.h"
#include "wpapp.h"
#include "wpdiag.h"

#include <gtest/gtest.h>

#include <string>

TEST(Assertion, BeepsThenShowsTaskModalBoxAndContinuesOnOk) {
    RecordingPlatform platform;
    WPAssert("mainWin", "wpapp32.cpp", 42);
    ASSERT_EQ(1u, platform.beeps.size());
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ(nullptr, platform.boxes[0].owner);
    EXPECT_EQ("at line 42 in file wpapp32.cpp: \"mainWin\"", platform.boxes[0].text);
    EXPECT_EQ("ASSERTION FAILURE", platform.boxes[0].caption);
    EXPECT_EQ(0x2011u, platform.boxes[0].type);
    EXPECT_TRUE(platform.endRequests.empty());
}

TEST(Assertion, CancelEndsTheProgramWithMinusOne) {
    RecordingPlatform platform;
    platform.answers.push_back(IDCANCEL);
    WPAssert("win", "wpwinproc.cpp", 7);
    ASSERT_EQ(1u, platform.endRequests.size());
    EXPECT_EQ(-1, platform.endRequests[0]);
}

TEST(Assertion, LongSourcePathIsCutTo79Characters) {
    RecordingPlatform platform;
    std::string path(300, 'd');
    WPAssert("IsWindow(hwnd)", path.c_str(), 12345);
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ(79u, platform.boxes[0].text.size());
    EXPECT_EQ(0u, platform.boxes[0].text.find("at line 12345 in file ddd"));
}

TEST(Assertion, CheckReportsOnlyFailures) {
    RecordingPlatform platform;
    EXPECT_TRUE(WPCheck(true, "fine"));
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_FALSE(WPCheck(false, "hwnd==NULL", "wpwin.cpp", 42));
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ("at line 42 in file wpwin.cpp: \"hwnd==NULL\"", platform.boxes[0].text);
}

TEST(Assertion, CheckNamesTheCallersFileAndLine) {
    RecordingPlatform platform;
    const unsigned line = __LINE__ + 1;
    WPCheck(false, "x");
    ASSERT_EQ(1u, platform.boxes.size());
    // The text is cut to 79 characters, so compare with the same cut of
    // what the caller's position gives, wherever the sources lie.
    std::string expected = "at line " + std::to_string(line) + " in file " + __FILE__ + ": \"x\"";
    EXPECT_EQ(expected.substr(0, 79), platform.boxes[0].text);
}

TEST(ErrorBox, FormatsIntoAnOwnerlessExclamationBox) {
    RecordingPlatform platform;
    WPError("Error: ID %d is in control map but not dialog!", 1001);
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ(nullptr, platform.boxes[0].owner);
    EXPECT_EQ("Error: ID 1001 is in control map but not dialog!", platform.boxes[0].text);
    EXPECT_EQ("(null)", platform.boxes[0].caption);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OK), platform.boxes[0].type);
    EXPECT_TRUE(platform.beeps.empty());
}

TEST(ErrorBox, LongTextIsCutTo127Characters) {
    RecordingPlatform platform;
    std::string name(400, 'n');
    WPError("Couldn't load dialog: %s.", name.c_str());
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ(127u, platform.boxes[0].text.size());
}
