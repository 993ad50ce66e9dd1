// The production seam answers as the system does: each operation is the
// system call it names, with its arguments in their places.
#include "wpplatform.h"

#include <gtest/gtest.h>

TEST(RealPlatform, AnswersAsTheSystemDoes) {
    WPPlatform& real = Platform();
    EXPECT_TRUE(real.Beep(MB_OK));
    EXPECT_EQ(GetSystemMetrics(SM_MOUSEPRESENT) != 0, real.MousePresent() != 0);
    int shown = real.ShowCursor(TRUE);
    EXPECT_EQ(shown - 1, real.ShowCursor(FALSE));
    POINT at;
    EXPECT_TRUE(real.CursorPos(&at));
    EXPECT_TRUE(real.SetCursorPos(3, 200));
    POINT moved = {};
    real.CursorPos(&moved);
    EXPECT_EQ(3, moved.x);
    EXPECT_EQ(200, moved.y);
    real.SetCursorPos(at.x, at.y);
    DWORD before = GetTickCount();
    EXPECT_LE(real.TickCount() - before, 1000u);
    SYSTEMTIME now = {}, system;
    real.LocalTime(&now);
    GetLocalTime(&system);
    EXPECT_EQ(system.wYear, now.wYear);
    EXPECT_EQ(system.wMonth, now.wMonth);

    // A suspended copy of this program: opened with the rights asked for, and
    // ended with the code given.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    char commandLine[] = "framework_tests --gtest_filter=None";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child;
    ASSERT_TRUE(CreateProcessA(self, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                               nullptr, &startup, &child));
    HANDLE opened = real.OpenProcess(PROCESS_TERMINATE, FALSE, child.dwProcessId);
    ASSERT_NE(nullptr, opened);
    EXPECT_TRUE(real.TerminateProcess(opened, 7));
    EXPECT_TRUE(real.CloseHandle(opened));
    WaitForSingleObject(child.hProcess, 10000);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    EXPECT_EQ(7u, code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    // The shell starts this program again, running none of its tests: the
    // file, its parameters and its folder each in their place.
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    const char* kNoTests = "--gtest_filter=None";
    EXPECT_GT(reinterpret_cast<INT_PTR>(real.ShellOpen(nullptr, "open", self, kNoTests, folder, SW_HIDE)), 32);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = self;
    info.lpParameters = kNoTests;
    info.lpDirectory = folder;
    info.nShow = SW_HIDE;
    ASSERT_TRUE(real.ShellOpenEx(&info));
    WaitForSingleObject(info.hProcess, 30000);
    GetExitCodeProcess(info.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(info.hProcess);
}
