// Tray icons after a restart of the shell, seen from outside: the shell's
// "TaskbarCreated" broadcast is posted to a running tray program, and the
// tray is asked whether its icon is there.
#include "harness.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

// True when the tray holds icon 1 of window: a modify that changes nothing
// succeeds only for an icon the tray has.
bool TrayHasIcon(HWND window) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool WaitForIcon(HWND window, bool present, DWORD timeoutMs) {
    for (DWORD waited = 0; waited <= timeoutMs; waited += 100) {
        if (TrayHasIcon(window) == present) return true;
        e2e::PumpFor(100);
    }
    return false;
}

class TrayDemo : public ::testing::Test {
protected:
    HWND Start(const std::string& tail) {
        if (!program.Start(e2e::BesideTests("tray_demo.exe"), tail)) return nullptr;
        e2e::WindowQuery query;
        query.caption = "Kivora tray demo";
        query.processId = program.Id();
        return e2e::WaitForWindow(query, 10000);
    }
    void Close(HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, program.WaitForExit(10000).value_or(0xDEAD));
    }
    e2e::Program program;
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
};

}  // namespace

TEST_F(TrayDemo, ShownIconComesBackWithANewTaskbar) {
    HWND window = Start("");
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitForIcon(window, true, 10000));
    // The shell drops every icon when it restarts.
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_FALSE(TrayHasIcon(window));
    PostMessageA(window, taskbarCreated, 0, 0);
    EXPECT_TRUE(WaitForIcon(window, true, 5000));
    Close(window);
}

TEST_F(TrayDemo, HiddenIconStaysAway) {
    HWND window = Start("hide");
    ASSERT_NE(nullptr, window);
    e2e::PumpFor(500);
    ASSERT_FALSE(TrayHasIcon(window));
    PostMessageA(window, taskbarCreated, 0, 0);
    e2e::PumpFor(1000);
    EXPECT_FALSE(TrayHasIcon(window));
    Close(window);
}
