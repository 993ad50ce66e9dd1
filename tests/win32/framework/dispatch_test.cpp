// Dispatch: each message reaches its handler with the stated arguments, and
// the handler's answer decides between the record's result and default
// processing.
#include "recording_platform.h"
#include "test_windows.h"

#include <gtest/gtest.h>

namespace {

// The class procedure stands for default processing: it counts what reaches it.
std::vector<UINT> defaultSeen;
LRESULT CALLBACK CountingDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    defaultSeen.push_back(message);
    if (message == WM_USER + 99) return 777;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class Dispatching : public ::testing::Test {
protected:
    void SetUp() override {
        UseThisModule();
        win_ = new RecordingWin("KivoraDispatchWin");
        createTemplate.classProc = CountingDefault;
        createTemplate.style = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;
        createTemplate.left = 40;
        createTemplate.top = 30;
        createTemplate.width = 300;
        createTemplate.height = 200;
        ASSERT_EQ(1, win_->Create());
        win_->calls.clear();
        defaultSeen.clear();
    }
    void TearDown() override {
        if (win_->hwnd) DestroyWindow(win_->hwnd);
        DrainQueue();
    }

    // Sends a message; returns what the window procedure answered.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        win_->calls.clear();
        defaultSeen.clear();
        return SendMessageA(win_->hwnd, message, wParam, lParam);
    }

    RecordingWin* win_ = nullptr;
    RecordingPlatform platform_;
};

}  // namespace

TEST_F(Dispatching, MoveSizeAndActivationRows) {
    Send(WM_MOVE, 0, MAKELPARAM(12, 34));
    EXPECT_EQ("OnMove 12 34", win_->Last());
    Send(WM_MOVE, 0, MAKELPARAM(-8, -20));  // left of and above the origin
    EXPECT_EQ("OnMove -8 -20", win_->Last());

    WPRect client;
    win_->GetClientRect(client);
    Send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
    EXPECT_EQ("OnSize " + std::to_string(client.left) + " " + std::to_string(client.top) + " " +
                  std::to_string(client.left + 640) + " " + std::to_string(client.top + 480) + " 2",
              win_->Last());

    Send(WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0);
    EXPECT_EQ("OnActivate " + std::to_string(MAKEWPARAM(WA_CLICKACTIVE, 1)) + " 1", win_->Last());
    Send(WM_ENABLE, 1, 0);
    EXPECT_EQ("OnEnable 1", win_->Last());
}

TEST_F(Dispatching, FocusRowsNameThePeerObject) {
    RecordingWin peer("KivoraDispatchWin");
    ASSERT_EQ(1, peer.Create());
    Send(WM_SETFOCUS, reinterpret_cast<WPARAM>(peer.hwnd), 0);
    EXPECT_EQ("OnSetFocus", win_->Last());
    EXPECT_EQ(&peer, win_->focusPeer);
    Send(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ("OnKillFocus", win_->Last());
    EXPECT_EQ(nullptr, win_->focusPeer);
    DestroyWindow(peer.hwnd);
}

TEST_F(Dispatching, PaintCloseMinMaxAndNotifyRows) {
    Send(WM_PAINT);
    EXPECT_EQ("OnPaint", win_->Last());
    Send(WM_CLOSE);
    EXPECT_EQ("OnClose", win_->Last());
    EXPECT_NE(nullptr, win_->hwnd);  // handled: no default close
    MINMAXINFO info = {};
    Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ("OnGetMinMaxInfo", win_->Last());
    EXPECT_EQ(&info, win_->minMaxInfo);
    NMHDR header = {};
    Send(WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ("OnNotify 78 5 " + std::to_string(reinterpret_cast<LPARAM>(&header)), win_->Last());
}

TEST_F(Dispatching, MouseRowsCarrySignedCoordinates) {
    for (UINT m : {0xA1u, 0xA5u, 0xA9u, 0x200u, 0x201u, 0x204u, 0x209u}) {
        Send(m, MK_LBUTTON, MAKELPARAM(-3, -7));
        EXPECT_EQ("OnMouse " + std::to_string(m) + " -3 -7 1", win_->Last()) << m;
    }
    Send(WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(1000, 32767));
    EXPECT_EQ("OnMouse 513 1000 32767 4", win_->Last());
    // Neighbours of the ranges are other messages.
    for (UINT m : {0xA0u, 0xAAu, 0x20Au}) {
        Send(m, 0, 0);
        EXPECT_EQ(0u, win_->Last().find("OnOther " + std::to_string(m))) << m;
    }
}

TEST_F(Dispatching, KeyRowsHandTheWholeMessage) {
    for (UINT m : {0x100u, 0x101u, 0x102u, 0x103u}) {
        Send(m, 'A', 0x1E0001);
        EXPECT_EQ("OnKey " + std::to_string(m) + " 65 " + std::to_string(0x1E0001), win_->Last());
    }
    Send(WM_SYSKEYDOWN, 'A', 0);
    EXPECT_EQ(0u, win_->Last().find("OnOther 260"));
}

TEST_F(Dispatching, CommandRowsSplitTheWordAndSysCommandHasCodeZero) {
    Send(WM_COMMAND, MAKEWPARAM(1001, EN_CHANGE), 0);
    EXPECT_EQ("OnCommand 1001 " + std::to_string(EN_CHANGE), win_->Last());
    Send(WM_SYSCOMMAND, MAKEWPARAM(SC_KEYMENU, 9), 0);
    EXPECT_EQ("OnCommand " + std::to_string(SC_KEYMENU) + " 0", win_->Last());
}

TEST_F(Dispatching, SysCommandLeftUnhandledGoesToDefaultProcessing) {
    win_->answer = 0;
    Send(WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_FALSE(win_->calls.empty());
    EXPECT_EQ("OnCommand " + std::to_string(SC_RESTORE) + " 0", win_->calls.front());
    ASSERT_FALSE(defaultSeen.empty());
    EXPECT_EQ(UINT(WM_SYSCOMMAND), defaultSeen.front());
}

TEST_F(Dispatching, TimerRow) {
    Send(WM_TIMER, 3, 0);
    EXPECT_EQ("OnTimer 3", win_->Last());
}

TEST_F(Dispatching, ScrollRowsNameTheBar) {
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 55), 0);
    EXPECT_EQ("OnScroll 5 -1 55", win_->Last());
    Send(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ("OnScroll 1 -2 0", win_->Last());

    HWND bar = CreateWindowExA(0, "SCROLLBAR", nullptr, WS_CHILD | SBS_HORZ, 0, 0, 50, 10,
                               win_->hwnd, reinterpret_cast<HMENU>(77), wpApp.hinst, nullptr);
    ASSERT_NE(nullptr, bar);
    Send(WM_HSCROLL, MAKEWPARAM(SB_PAGEUP, 9), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ("OnScroll 2 77 9", win_->Last());
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60000), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ("OnScroll 4 77 60000", win_->Last());
}

TEST_F(Dispatching, MenuRowsHandTheMenu) {
    HMENU menu = CreatePopupMenu();
    Send(WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_EQ("OnInitMenu", win_->Last());
    EXPECT_EQ(menu, win_->menuSeen);
    win_->menuSeen = nullptr;
    Send(WM_MENUSELECT, MAKEWPARAM(513, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ("OnMenuSelect 513", win_->Last());
    EXPECT_EQ(menu, win_->menuSeen);
    DestroyMenu(menu);
}

TEST_F(Dispatching, UnlistedMessagesGoToOnOther) {
    for (UINT m : {4u, 9u, 11u, 12u, 13u, 14u, UINT(WM_USER + 5)}) {
        // 12 and 14 are text messages: give them a harmless buffer.
        char text[8] = {};
        Send(m, 0, m == 12 || m == 13 ? reinterpret_cast<LPARAM>(text) : 0);
        ASSERT_FALSE(win_->calls.empty()) << m;
        EXPECT_EQ(0u, win_->Last().find("OnOther " + std::to_string(m) + " ")) << m;
    }
}

TEST_F(Dispatching, HandledWithoutResultReturnsZeroAndSkipsDefault) {
    LRESULT answer = Send(WM_USER + 99, 1, 2);
    EXPECT_EQ(0, answer);
    EXPECT_TRUE(defaultSeen.empty());
}

TEST_F(Dispatching, HandledWithResultReturnsIt) {
    win_->setResult = 1234;
    EXPECT_EQ(1234, Send(WM_USER + 99, 1, 2));
    EXPECT_TRUE(defaultSeen.empty());
}

TEST_F(Dispatching, UnhandledGoesToThePreviousProcedure) {
    win_->answer = 0;
    EXPECT_EQ(777, Send(WM_USER + 99, 1, 2));
    ASSERT_EQ(1u, defaultSeen.size());
    EXPECT_EQ(UINT(WM_USER + 99), defaultSeen[0]);
}

TEST_F(Dispatching, QueryEndSessionReturnsTheHandlersValue) {
    win_->queryEndSession = 0;
    EXPECT_EQ(0, Send(WM_QUERYENDSESSION));
    EXPECT_EQ("OnQueryEndSession", win_->Last());
    win_->queryEndSession = 7;
    EXPECT_EQ(7, Send(WM_QUERYENDSESSION));
    EXPECT_TRUE(defaultSeen.empty());
    EXPECT_EQ(1, Send(WM_QUERYOPEN));
    EXPECT_EQ("OnQueryOpen", win_->Last());
}

TEST(DefaultHandlers, ReportNotHandledExceptTheTwoQueries) {
    UseThisModule();
    WPWin plain("KivoraPlainWin");
    ASSERT_EQ(1, plain.Create());
    EXPECT_EQ(1, SendMessageA(plain.hwnd, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(1, SendMessageA(plain.hwnd, WM_QUERYOPEN, 0, 0));
    WPMsg msg = {WM_USER, 0, 0, 0};
    EXPECT_EQ(0, plain.Dispatch(msg));
    msg.msg = WM_TIMER;
    EXPECT_EQ(0, plain.Dispatch(msg));
    msg.msg = WM_COMMAND;
    EXPECT_EQ(0, plain.Dispatch(msg));
    DestroyWindow(plain.hwnd);
    EXPECT_EQ(nullptr, plain.hwnd);
}
