// aubade with option c through several virtual days (6 by default,
// KIVORA_SOAK_DAYS) on the clock seam: every tick goes through the window's
// message procedure as the timer's would. The launch fires exactly once a
// day, and the process holds no more memory, GDI or USER objects at the end
// of the last day than at the end of the first.
#include "aubadewindow.h"
#include "process_usage.h"
#include "soak_settings.h"
#include "timed_test_support.h"

#include <gtest/gtest.h>

#include <stdio.h>

namespace {

// The first day sets up what first use brings (formatting, the launch);
// growth is counted from its end. A leak of 16 bytes per firing stays under
// this, one per tick (432 000 a day) does not.
const SIZE_T kPrivateToleranceBytes = 64 * 1024;
const DWORD kDayMs = 24u * 3600u * 1000u;

void Tick(HWND window) {
    MSG tick = {window, WM_TIMER, timed::kClockTimer, 0, 0, {0, 0}};
    ::DispatchMessageA(&tick);
}

TEST(AubadeSoak, FiresOnceEachDayAndHoldsNothingMore) {
    const int days = SoakSetting("KIVORA_SOAK_DAYS", 6);
    VirtualClock clock;
    clock.SetTime(8, 12, 0, 0, 0);
    auto* window = StartWindow<aubade::TimedWindow>("7:05 notepad.exe, , ,-c");
    ASSERT_NE(nullptr, window->hwnd);

    // See MeasureProcess: the first measurement grows the process.
    e2e::MeasureProcess(::GetCurrentProcess(), ::GetCurrentProcessId());
    e2e::ProcessUsage first;
    for (int day = 1; day <= days; ++day) {
        std::vector<std::string> fires;
        for (DWORD elapsed = 0; elapsed < kDayMs;) {
            Tick(window->hwnd);
            if (!clock.shellCalls.empty()) {
                fires.push_back(clock.Text());
                clock.shellCalls.clear();  // the record must not grow either
            }
            const DWORD step = window->coolDown ? timed::kPauseAfterFireMs : timed::kTickMs;
            clock.Advance(step);
            elapsed += step;
        }
        EXPECT_EQ(std::vector<std::string>{"7:05:00"}, fires) << "day " << day;
        const e2e::ProcessUsage now = e2e::MeasureProcess(::GetCurrentProcess(), ::GetCurrentProcessId());
        if (day == 1) first = now;
        printf("day %d: %d firing(s)  private %7lu KiB  working set %7lu KiB  GDI objects %4ld  USER objects %3ld\n",
               day, static_cast<int>(fires.size()), e2e::KiB(now.privateBytes), e2e::KiB(now.workingSetBytes),
               now.gdiObjects, now.userObjects);
        if (day == days) {
            EXPECT_LE(now.privateBytes, first.privateBytes + kPrivateToleranceBytes);
            EXPECT_EQ(first.gdiObjects, now.gdiObjects);
            EXPECT_EQ(first.userObjects, now.userObjects);
        }
    }
    EXPECT_GE(first.gdiObjects, 0);
    EndWindow(window);
}

}  // namespace
