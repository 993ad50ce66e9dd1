// lofter.exe in auto return with a 10 ms interval for minutes (5 by default,
// KIVORA_SOAK_SECONDS), while the test moves Notepad away now and then. Each
// move must be undone, and lofter must hold no more memory, GDI objects or
// windows at the end than at the start.
#include "harness.h"
#include "lofter_keys.h"
#include "process_usage.h"
#include "soak_settings.h"

#include <gtest/gtest.h>

#include <stdio.h>

namespace {

const char kNotepadKey[] = "Software\\Microsoft\\Notepad";

const int kPlaceX = 100, kPlaceY = 80;
const DWORD kStartMs = 20000;
// Ten intervals would do on an idle machine; two cores shared with builds
// can hold lofter's thread back for far longer.
const DWORD kReturnMs = 3000;
// A few moves before the first sample, so that what Wine sets up on first
// use is not counted as growth.
const int kWarmUpMoves = 5;
// A leak of even 16 bytes per tick (30 000 ticks in 5 minutes) exceeds it.
const SIZE_T kPrivateToleranceBytes = 256 * 1024;
// Pauses between moves, in turn: "now and then", not on a beat.
const DWORD kPausesMs[] = {700, 2300, 1100, 4100, 1700, 3100};

void Print(const char* when, const e2e::ProcessUsage& u) {
    printf("%-6s private %7lu KiB  working set %7lu KiB  GDI objects %4ld  windows %3ld  CPU %8.0f ms\n", when,
           e2e::KiB(u.privateBytes), e2e::KiB(u.workingSetBytes), u.gdiObjects, u.userObjects, u.cpuMs);
}

TEST(LofterSoak, PutsTheWindowBackEveryTimeAndHoldsNothingMore) {
    const int seconds = SoakSetting("KIVORA_SOAK_SECONDS", 300);
    e2e::CloseWindowsOfClass("Notepad");
    ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey));
    ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterDelayKey, "2000"));
    ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterIntervalKey, "10"));

    e2e::Program lofter;
    ASSERT_TRUE(lofter.Start(e2e::BesideTests("lofter.exe"), "x=100,y=80,a=ON,e=notepad.exe"));
    e2e::WindowQuery query;
    query.className = "Notepad";
    query.visibleOnly = true;
    HWND notepad = e2e::WaitForWindow(query, kStartMs);
    ASSERT_NE(nullptr, notepad);
    DWORD took = 0;
    ASSERT_TRUE(e2e::WaitForOrigin(notepad, kPlaceX, kPlaceY, kStartMs, &took));

    int moves = 0, returned = 0;
    DWORD slowest = 0;
    auto moveAway = [&](int i) {
        const int x = 300 + 37 * (i % 7), y = 200 + 29 * (i % 5);
        SetWindowPos(notepad, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ++moves;
        if (e2e::WaitForOrigin(notepad, kPlaceX, kPlaceY, kReturnMs, &took)) {
            ++returned;
            if (took > slowest) slowest = took;
        } else {
            ADD_FAILURE() << "move " << moves << " to " << x << "," << y << " was not undone";
        }
    };
    for (int i = 0; i < kWarmUpMoves; ++i) moveAway(i);
    e2e::MeasureProcess(lofter.Handle(), lofter.Id());  // see MeasureProcess: the first one grows it

    const e2e::ProcessUsage first = e2e::MeasureProcess(lofter.Handle(), lofter.Id());
    const DWORD start = GetTickCount();
    for (int i = 0; GetTickCount() - start < static_cast<DWORD>(seconds) * 1000; ++i) {
        e2e::PumpFor(kPausesMs[i % (sizeof kPausesMs / sizeof kPausesMs[0])]);
        moveAway(kWarmUpMoves + i);
        ASSERT_TRUE(lofter.IsRunning());
    }
    // The last sample with the window at rest, as the first one was.
    const e2e::ProcessUsage last = e2e::MeasureProcess(lofter.Handle(), lofter.Id());

    printf("lofter auto return every 10 ms for %d s: %d moves from outside, %d put back, slowest %lu ms\n",
           seconds, moves, returned, slowest);
    Print("start", first);
    Print("end", last);
    EXPECT_EQ(moves, returned);
    EXPECT_LE(last.privateBytes, first.privateBytes + kPrivateToleranceBytes);
    EXPECT_EQ(first.gdiObjects, last.gdiObjects);
    EXPECT_EQ(first.userObjects, last.userObjects);
    EXPECT_GE(first.gdiObjects, 0);

    PostMessageA(notepad, WM_CLOSE, 0, 0);  // lofter ends with its target
    EXPECT_TRUE(lofter.WaitForExit(5000).has_value());
    e2e::CloseWindowsOfClass("Notepad");
    e2e::DeleteRegistryTree(HKEY_USERS, e2e::kLofterKey);
}

}  // namespace
