// The real clock text that the timed programs compare with their set time.
#include "wpplatform.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The production seam with only the clock's reading fixed.
class FixedClock : public WPPlatform {
public:
    SYSTEMTIME now = {2026, 12, 2, 8, 7, 5, 0, 789};
    void LocalTime(SYSTEMTIME* time) override { *time = now; }
};

}  // namespace

TEST(ClockText, IsTheUsersTimeFormatIn24HoursWithoutMarkerOrMilliseconds) {
    ASSERT_EQ(932u, GetACP());
    FixedClock clock;
    char text[32] = "unchanged";
    int written = clock.LocalTimeText(text, sizeof text);
    EXPECT_STREQ("7:05:00", text);
    EXPECT_EQ(8, written);  // with the terminator
    SYSTEMTIME whole = clock.now;
    whole.wMilliseconds = 0;
    char expected[32] = {};
    GetTimeFormatA(0x400, 12, &whole, nullptr, expected, sizeof expected);
    EXPECT_STREQ(expected, text);

    clock.now.wHour = 19;  // no AM/PM marker, 24 hours
    clock.LocalTimeText(text, sizeof text);
    EXPECT_STREQ("19:05:00", text);

    char tiny[4] = "xyz";  // no room: an empty text and 0, never a part
    EXPECT_EQ(0, clock.LocalTimeText(tiny, sizeof tiny));
    EXPECT_STREQ("", tiny);
}
