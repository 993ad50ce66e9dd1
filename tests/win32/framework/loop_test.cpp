// The message loop: idle rule, quit handling, filters and the exit code.
#include "nested_close.h"
#include "recording_platform.h"
#include "test_windows.h"
#include "wpmainwin.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A main window whose idle hook answers from a script and counts its calls,
// and whose timer 1 runs a step of the test.
class LoopWin : public WPMainWin {
public:
    LoopWin() : WPMainWin("KivoraLoopWin") {
        keepRunning = 1;  // tests end the loop themselves
        Create();
    }

    int OnIdle() override {
        ++idleCalls;
        if (idleCalls <= busyIdleCalls) return 1;
        // Started only once the loop is about to wait: a timer set before
        // Run could fire while the start-up messages are still queued (on a
        // busy machine) and the loop would never have gone idle.
        if (timerWhenIdle) SetTimer(1, timerWhenIdle);
        return 0;
    }
    int OnTimer(UINT id) override {
        if (onTimer) onTimer(*this);
        return 1;
    }
    int OnCommand(int id, int code) override {
        commands.push_back(id);
        return 1;
    }
    int OnKey(WPMsg& msg) override {
        keys.push_back(static_cast<int>(msg.wParam));
        return 0;
    }
    int OnOther(WPMsg& msg) override {
        others.push_back(msg.msg);
        if (onOther) onOther(*this, msg.msg);
        return 0;
    }

    int idleCalls = 0;
    int busyIdleCalls = 0;  // the first this many calls answer 1
    UINT timerWhenIdle = 0;  // ms of timer 1, started by the call answering 0
    int pings = 0;
    void (*onTimer)(LoopWin&) = nullptr;
    void (*onOther)(LoopWin&, UINT) = nullptr;
    std::vector<int> commands;
    std::vector<int> keys;
    std::vector<UINT> others;
};

const UINT kPing = WM_USER + 20;

class Loop : public ::testing::Test {
protected:
    void SetUp() override {
        UseThisModule();
        DrainQueue();
        saved_ = wpApp.cmdShow;
        wpApp.cmdShow = SW_SHOWNOACTIVATE;
    }
    void TearDown() override {
        wpApp.mainWin = nullptr;
        wpApp.accel = nullptr;
        wpApp.mdiClient = nullptr;
        wpApp.cmdShow = saved_;
        DrainQueue();
    }
    int saved_ = 0;
    RecordingPlatform platform_;
};

}  // namespace

TEST_F(Loop, IdleHookAnsweringZeroSwitchesToWaitingForGood) {
    LoopWin win;
    wpApp.mainWin = &win;
    win.onTimer = [](LoopWin& w) {
        w.KillTimer(1);
        // The queue empties again after these; the hook is not asked again.
        PostMessageA(w.hwnd, kPing, 0, 0);
        PostMessageA(w.hwnd, kPing, 0, 0);
    };
    win.onOther = [](LoopWin& w, UINT m) {
        if (m == kPing && ++w.pings == 2) PostQuitMessage(4);
    };
    win.timerWhenIdle = 20;
    wpApp.Run();
    EXPECT_EQ(1, win.idleCalls);
    EXPECT_EQ(4, wpApp.exitCode);
    DestroyWindow(win.hwnd);
}

TEST_F(Loop, IdleHookAnsweringNonzeroKeepsPollingUntilItAnswersZero) {
    LoopWin win;
    wpApp.mainWin = &win;
    win.busyIdleCalls = 5;
    win.onTimer = [](LoopWin& w) {
        w.KillTimer(1);
        PostQuitMessage(0);
    };
    win.timerWhenIdle = 50;
    wpApp.Run();
    EXPECT_EQ(6, win.idleCalls);  // five busy answers, then one 0
    EXPECT_EQ(0, wpApp.exitCode);
    DestroyWindow(win.hwnd);
}

TEST_F(Loop, QuitFoundInIdleModeEndsTheLoopWithoutDispatch) {
    LoopWin win;
    wpApp.mainWin = &win;
    win.busyIdleCalls = 1000000;  // never leaves idle mode
    PostMessageA(win.hwnd, kPing, 0, 0);
    PostMessageA(win.hwnd, WM_QUIT, 9, 0);
    PostMessageA(win.hwnd, kPing, 0, 0);
    wpApp.Run();
    EXPECT_EQ(9, wpApp.exitCode);
    EXPECT_EQ(0, std::count(win.others.begin(), win.others.end(), UINT(WM_QUIT)));
    EXPECT_EQ(1, std::count(win.others.begin(), win.others.end(), kPing));
    DestroyWindow(win.hwnd);
}

TEST_F(Loop, ExitCodeIsTheQuitCodeInWaitingMode) {
    LoopWin win;
    wpApp.mainWin = &win;
    win.onTimer = [](LoopWin& w) {
        w.KillTimer(1);
        wpApp.PostQuit(-7);
    };
    win.timerWhenIdle = 10;
    wpApp.Run();
    EXPECT_EQ(-7, wpApp.exitCode);
    EXPECT_EQ(1, win.idleCalls);
    DestroyWindow(win.hwnd);
}

TEST_F(Loop, DestroyedMainWindowEndsTheProgramWithZero) {
    wpApp.startingUp = true;  // made by the start function: Run ends its construction
    LoopWin* win = new LoopWin;
    EXPECT_FALSE(wpApp.startingUp);
    win->keepRunning = 0;
    win->busyIdleCalls = 1000000;  // idle work until the window is gone
    wpApp.mainWin = win;
    win->onTimer = [](LoopWin& w) { w.Destroy(); };
    win->SetTimer(1, 10);
    wpApp.Run();
    EXPECT_EQ(0, wpApp.exitCode);
    EXPECT_EQ(nullptr, wpApp.mainWin);
}

// The start function's main window is closed while its constructor still
// runs: from a loop of its own (a box, the shell's call), as taskkill
// without /f does, or by itself.
int mainsDeleted = 0;
int deletedUnderConstructor = 0;

class ClosedWhileStarting : public WPMainWin {
public:
    explicit ClosedWhileStarting(bool fromLoop) : WPMainWin("KivoraStartingWin") {
        Create();
        if (fromLoop) {
            CloseInNestedLoop(hwnd);
        } else {
            Destroy();
        }
        deletedUnderConstructor = mainsDeleted;
        windowGone = hwnd == nullptr;
    }
    ~ClosedWhileStarting() override { ++mainsDeleted; }
    bool windowGone = false;
};

TEST_F(Loop, AMainWindowClosedWhileConstructedIsDeletedWhenRunTakesItOver) {
    const struct {
        const char* fault;
        bool fromLoop;
    } rows[] = {
        {"closed from a loop of the constructor: deleted under it", true},
        {"destroyed by the constructor itself: deleted under it", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        mainsDeleted = 0;
        wpApp.startingUp = true;
        auto* win = new ClosedWhileStarting(row.fromLoop);
        ASSERT_EQ(0, deletedUnderConstructor);
        EXPECT_TRUE(win->windowGone);
        wpApp.mainWin = win;
        wpApp.exitCode = -1;
        wpApp.Run();
        EXPECT_EQ(1, mainsDeleted);
        EXPECT_EQ(nullptr, wpApp.mainWin);
        EXPECT_EQ(0, wpApp.exitCode);
        EXPECT_TRUE(platform_.boxes.empty());
    }
}

TEST_F(Loop, ShowsTheMainWindowWithCmdShow) {
    LoopWin win;
    wpApp.mainWin = &win;
    EXPECT_FALSE(IsWindowVisible(win.hwnd));
    PostQuitMessage(0);
    wpApp.Run();
    EXPECT_TRUE(IsWindowVisible(win.hwnd));
    DestroyWindow(win.hwnd);
}

// Every tray program starts hidden: the window must never show, not even
// for a moment at the start.
TEST_F(Loop, HiddenStartStaysInvisibleFromStartToQuit) {
    LoopWin win;
    wpApp.mainWin = &win;
    wpApp.cmdShow = SW_HIDE;
    static int ticks;
    static bool everVisible;
    ticks = 0;
    everVisible = false;
    win.timerWhenIdle = 10;
    win.onTimer = [](LoopWin& w) {
        everVisible = everVisible || IsWindowVisible(w.hwnd);
        if (++ticks == 3) PostQuitMessage(0);
    };
    wpApp.Run();
    EXPECT_EQ(3, ticks);
    EXPECT_FALSE(everVisible);
    EXPECT_FALSE(IsWindowVisible(win.hwnd));
    EXPECT_EQ(win.others.end(), std::find(win.others.begin(), win.others.end(), UINT(WM_SHOWWINDOW)));
    DestroyWindow(win.hwnd);
}

TEST_F(Loop, AcceleratorsTranslateForTheMainWindowWhileAnotherHasTheFocus) {
    LoopWin win;
    wpApp.mainWin = &win;
    ACCEL table[] = {{FVIRTKEY, VK_F5, 4321}};
    wpApp.accel = CreateAcceleratorTableA(table, 1);
    ASSERT_NE(nullptr, wpApp.accel);

    LoopWin other;
    ShowWindow(other.hwnd, SW_SHOW);
    SetFocus(other.hwnd);
    PostMessageA(other.hwnd, WM_KEYDOWN, VK_F5, 1);
    PostMessageA(other.hwnd, WM_KEYDOWN, VK_F6, 1);  // not in the table
    PostQuitMessage(0);
    wpApp.Run();
    ASSERT_EQ(1u, win.commands.size());
    EXPECT_EQ(4321, win.commands[0]);
    ASSERT_EQ(1u, other.keys.size());  // only the untranslated key reached it
    EXPECT_EQ(VK_F6, other.keys[0]);
    EXPECT_TRUE(other.commands.empty());
    DestroyAcceleratorTable(wpApp.accel);
    DestroyWindow(other.hwnd);
    DestroyWindow(win.hwnd);
}

// Ctrl+F6 goes to the MDI client (the next document window), not to the
// window with the focus as a key.
TEST_F(Loop, MdiClientTakesItsSystemKeys) {
    LoopWin win;
    wpApp.mainWin = &win;
    CLIENTCREATESTRUCT client = {nullptr, 50000};
    wpApp.mdiClient = CreateWindowA("MDICLIENT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, win.hwnd,
                                    nullptr, wpApp.hinst, &client);
    ASSERT_NE(nullptr, wpApp.mdiClient);
    WNDCLASSA childClass = {};
    childClass.lpfnWndProc = DefMDIChildProcA;
    childClass.hInstance = wpApp.hinst;
    childClass.lpszClassName = "KivoraLoopMdiChild";
    RegisterClassA(&childClass);
    MDICREATESTRUCTA document = {"KivoraLoopMdiChild", "doc", wpApp.hinst, 0, 0, 50, 50, 0, 0};
    ASSERT_NE(0, SendMessageA(wpApp.mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&document)));

    LoopWin other;
    BYTE keys[256] = {}, kept[256] = {};
    GetKeyboardState(kept);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(other.hwnd, WM_KEYDOWN, VK_F6, 1);
    PostQuitMessage(0);
    wpApp.Run();
    SetKeyboardState(kept);
    EXPECT_TRUE(other.keys.empty());
    DestroyWindow(other.hwnd);
    DestroyWindow(win.hwnd);
}

TEST_F(Loop, RunWithoutMainWindowAssertsAndReturns) {
    wpApp.mainWin = nullptr;
    PostQuitMessage(0);
    wpApp.Run();
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"mainWin\""));
}
