// Notices from window-free code: shown in order, each with its beep, owner,
// texts and style.
#include "recording_platform.h"
#include "wpnoticewin.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The beeps heard before each box, so that beeps and boxes, which the
// platform records apart, can be checked in one order.
RecordingPlatform* watched = nullptr;
std::vector<size_t> beepsBeforeBox;

void CountBeeps(const RecordingPlatform::Box&) { beepsBeforeBox.push_back(watched->beeps.size()); }

struct WatchedPlatform : RecordingPlatform {
    WatchedPlatform() {
        watched = this;
        beepsBeforeBox.clear();
        onBox = CountBeeps;
    }
    ~WatchedPlatform() { watched = nullptr; }
};

const HWND kMainWindow = reinterpret_cast<HWND>(0x4321);

}  // namespace

TEST(ShowNotices, ShowsEachInOrderWithItsBeepOwnerTextsAndStyle) {
    WatchedPlatform platform;
    const WPNotice notices[] = {
        MakeNotice("ERROR!!", "レスポンスファイルが読めません", 0),
        MakeNotice("ERROR", "usage\nline two", 0, true, true),
        MakeNotice("error", "beep without owner", MB_ICONEXCLAMATION, true, false),
        MakeNotice("", "owned, silent", MB_OKCANCEL, false, true),
    };
    ShowNotices(notices, 4, kMainWindow);

    ASSERT_EQ(4u, platform.boxes.size());
    EXPECT_EQ(nullptr, platform.boxes[0].owner);
    EXPECT_EQ("ERROR!!", platform.boxes[0].caption);
    // The Shift-JIS bytes go to the box unchanged.
    EXPECT_EQ("\x83\x8c\x83\x58\x83\x7c\x83\x93\x83\x58\x83\x74\x83\x40\x83\x43\x83\x8b"
              "\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1",
              platform.boxes[0].text);
    EXPECT_EQ(0u, platform.boxes[0].type);

    EXPECT_EQ(kMainWindow, platform.boxes[1].owner);
    EXPECT_EQ("ERROR", platform.boxes[1].caption);
    EXPECT_EQ("usage\nline two", platform.boxes[1].text);
    EXPECT_EQ(0u, platform.boxes[1].type);

    EXPECT_EQ(nullptr, platform.boxes[2].owner);
    EXPECT_EQ("error", platform.boxes[2].caption);
    EXPECT_EQ("beep without owner", platform.boxes[2].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), platform.boxes[2].type);

    EXPECT_EQ(kMainWindow, platform.boxes[3].owner);
    EXPECT_EQ("", platform.boxes[3].caption);  // an empty caption, not none
    EXPECT_EQ("owned, silent", platform.boxes[3].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), platform.boxes[3].type);

    // The default beep, and only right before the boxes that ask for it.
    EXPECT_EQ((std::vector<UINT>{0, 0}), platform.beeps);
    EXPECT_EQ((std::vector<size_t>{0, 1, 2, 2}), beepsBeforeBox);
}

TEST(ShowNotices, WithoutAMainWindowOwnedNoticesHaveNoOwner) {
    WatchedPlatform platform;
    const WPNotice notice = MakeNotice("ERROR", "usage", 0, true, true);
    ShowNotices(&notice, 1, nullptr);
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ(nullptr, platform.boxes[0].owner);
    EXPECT_EQ(1u, platform.beeps.size());
}

TEST(ShowNotices, AnEmptyListShowsNothing) {
    WatchedPlatform platform;
    ShowNotices(nullptr, 0, kMainWindow);
    const WPNotice notice = MakeNotice("ERROR", "usage", 0, true, true);
    ShowNotices(&notice, 0, kMainWindow);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_TRUE(platform.beeps.empty());
}
