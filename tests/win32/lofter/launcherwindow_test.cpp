// LauncherWindow's start, tray menu and failures, with the shell, the tray
// and the boxes answered by the recording platform.
#include "dialog_canceller.h"
#include "harness.h"
#include "kivlib.h"
#include "launcherwindow.h"
#include "nested_close.h"
#include "openslow.h"
#include "recording_platform.h"
#include "settingsdialogs.h"
#include "timer_period.h"
#include "wpapp.h"
#include "wptext.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace lofter;

namespace {

// Runs once inside the modal loop of the menu or dialog that a message
// opens, once a dialog is shown.
std::function<void()> inLoop;
UINT_PTR loopTimer = 0;
void CALLBACK RunInLoop(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA("#32770", nullptr);
    if (dialog && !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, loopTimer);
    loopTimer = 0;
    inLoop();
}

void SendAndRun(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::function<void()> script) {
    inLoop = std::move(script);
    loopTimer = SetTimer(nullptr, 0, 20, RunInLoop);
    SendMessageA(window, message, wParam, lParam);
    if (loopTimer) KillTimer(nullptr, loopTimer);  // nothing modal was opened
    loopTimer = 0;
}

HWND OpenDialog() { return FindWindowA("#32770", nullptr); }

// The texts of the open dialog's fields, joined by blanks.
std::string FieldTexts(std::initializer_list<int> ids) {
    std::string texts;
    for (int id : ids) {
        char text[64] = "";
        GetDlgItemTextA(OpenDialog(), id, text, sizeof text);
        texts += (texts.empty() ? "" : " ") + std::string(text);
    }
    return texts;
}

void Type(int id, const char* text) { SetDlgItemTextA(OpenDialog(), id, text); }
void Press(int id) { PostMessageA(OpenDialog(), WM_COMMAND, id, 0); }

// Starts lofter's main window on line and ends it (and the quit messages
// its end posts) when the test is done.
class Launched : public ::testing::Test {
protected:
    void SetUp() override { wpApp.hinst = GetModuleHandleA(nullptr); }
    void TearDown() override {
        if (window && IsWindow(hwnd)) DestroyWindow(hwnd);
        DrainQuit();
    }

    void Launch(const char* line) {
        CopyText(commandText, sizeof commandText, line);
        window = new LauncherWindow;
        hwnd = window->hwnd;
        KillTimer(hwnd, kCaptureTimer);  // no capture of whatever is in the foreground here
    }

    // True when a quit message was waiting (it is removed).
    static bool DrainQuit() {
        MSG msg;
        bool quit = false;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) quit = true;
        return quit;
    }

    int IconCalls(DWORD message) const {
        int n = 0;
        for (const auto& call : platform.iconCalls) n += call.message == message;
        return n;
    }

    bool Checked(int position) const {
        return (GetMenuState(window->leftMenu.hmenu, position, MF_BYPOSITION) & MF_CHECKED) != 0;
    }

    RecordingPlatform platform;
    LauncherWindow* window = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(Launched, StartsTheProgramAsToldAndPutsUpIconAndMenu) {
    Launch("x=10,y=20,z=TOP,f=c:\\work,e=c:\\tools\\notepad.exe a.txt");
    ASSERT_EQ(1u, platform.shellCalls.size());
    const auto& shell = platform.shellCalls[0];
    EXPECT_EQ(nullptr, shell.owner);
    EXPECT_EQ("(null)", shell.verb);  // the default action
    EXPECT_EQ("c:\\tools\\notepad.exe", shell.file);
    EXPECT_EQ(" a.txt ", shell.parameters);
    EXPECT_EQ("c:\\work", shell.directory);
    EXPECT_EQ(SW_SHOW, shell.show);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_FALSE(IsWindowVisible(hwnd));

    char caption[80];
    GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ("LOFT notepad.exe", caption);
    ASSERT_EQ(1, IconCalls(NIM_ADD));
    const NOTIFYICONDATAA& icon = platform.iconCalls[0].data;
    EXPECT_EQ(1u, icon.uID);
    EXPECT_EQ(hwnd, icon.hWnd);
    EXPECT_EQ(kTrayMessage, icon.uCallbackMessage);
    EXPECT_EQ(LoadIconA(wpApp.hinst, "SwitchWindow"), icon.hIcon);  // not "AppIcon"
    EXPECT_STREQ("LOFT notepad.exe", icon.szTip);

    // The menu: ids by position, the settings submenu, the check marks.
    const UINT ids[] = {512, 10, 11, static_cast<UINT>(-1), 14, 532};
    const char* texts[] = {"終了", "最前列", "自動で戻る", "設定", "ﾀｽｸﾄﾚｲに表示させない", "について"};
    HMENU menu = window->leftMenu.hmenu;
    ASSERT_EQ(6, GetMenuItemCount(menu));
    for (int i = 0; i < 6; ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(texts[i], text) << i;
        EXPECT_EQ(ids[i], GetMenuItemID(menu, i)) << i;
    }
    HMENU settings = GetSubMenu(menu, 3);
    ASSERT_NE(nullptr, settings);
    const char* settingsTexts[] = {"表示位置の設定", "全体の設定"};
    for (int i = 0; i < 2; ++i) {
        char text[64] = "";
        GetMenuStringA(settings, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(settingsTexts[i], text) << i;
        EXPECT_EQ(12u + i, GetMenuItemID(settings, i)) << i;
    }
    EXPECT_EQ(0, GetMenuItemCount(window->rightMenu.hmenu));
    EXPECT_TRUE(Checked(1));
    EXPECT_FALSE(Checked(2));
    EXPECT_FALSE(DrainQuit());
}

TEST_F(Launched, MenuTogglesMoveTheirCheckMarks) {
    Launch("z=TOP,e=notepad.exe");
    SendMessageA(hwnd, WM_COMMAND, kCmdAutoReturn, 0);
    EXPECT_EQ(1, window->settings.autoReturn);
    EXPECT_TRUE(Checked(2));
    SendMessageA(hwnd, WM_COMMAND, kCmdTopMost, 0);
    EXPECT_EQ(0, window->settings.topMost);
    EXPECT_FALSE(Checked(1));
    EXPECT_FALSE(DrainQuit());  // auto return keeps the run going
    SendMessageA(hwnd, WM_COMMAND, kCmdAutoReturn, 0);
    EXPECT_FALSE(Checked(2));
    EXPECT_TRUE(DrainQuit());   // nothing left to keep
}

TEST_F(Launched, PositionAndSizeArePlacedOnlyWhenBothHalvesAreGiven) {
    const struct {
        const char* fault;
        const char* line;
        int moveWanted, sizeWanted, topMost;
    } rows[] = {
        {"w without h sized the window", "x=5,y=6,w=300,e=a.exe", 1, 0, 0},
        {"x without y moved the window", "x=5,w=300,h=200,e=a.exe", 0, 1, 0},
        {"a size of 0 counted as not given", "w=0,h=0,e=a.exe", 0, 1, 0},
        {"a position on the screen's top or left edge counted as not given", "x=0,y=0,e=a.exe", 1, 0, 0},
        {"a maximised start was placed or made top-most", "s=2,x=1,y=1,w=9,h=9,z=TOP,e=a.exe", 0, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        Launch(row.line);
        EXPECT_EQ(row.moveWanted, window->moveWanted);
        EXPECT_EQ(row.sizeWanted, window->sizeWanted);
        EXPECT_EQ(row.topMost, window->settings.topMost);
        DestroyWindow(hwnd);
        DrainQuit();
    }
}

TEST_F(Launched, TrayPressesAndActivationStopAndRestartTheTimers) {
    Launch("x=1,y=2,a=ON,e=notepad.exe");
    const DWORD watch = TimerPeriod(hwnd, kWatchTimer, 2);
    EXPECT_TRUE(watch >= 400 && watch <= 800) << "the watch runs every " << watch << " ms, not 500";
    auto runs = [this](UINT id) { return KillTimer(hwnd, id) != FALSE; };  // and stops it
    SendAndRun(hwnd, kTrayMessage, kTrayIconId, WM_RBUTTONDOWN, [] { EndMenu(); });
    EXPECT_TRUE(runs(kWatchTimer)) << "a right press stopped the watch";
    EXPECT_TRUE(runs(kReturnTimer)) << "a right press stopped auto return";
    SendMessageA(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
    bool watchInMenu = true, returnInMenu = true;
    SendAndRun(hwnd, kTrayMessage, kTrayIconId, WM_LBUTTONDOWN, [&] {
        watchInMenu = runs(kWatchTimer);
        returnInMenu = runs(kReturnTimer);
        EndMenu();
    });
    EXPECT_FALSE(watchInMenu) << "the watch ran on while the menu was open";
    EXPECT_FALSE(returnInMenu) << "auto return ran on while the menu was open";
    window->dialogOpen = 1;
    SendMessageA(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(runs(kWatchTimer)) << "losing activation did not restart the watch";
    EXPECT_FALSE(runs(kReturnTimer)) << "auto return restarted under an open settings dialog";
}

TEST_F(Launched, TheWatchEndsTheRunOnceTheTargetIsGoneAndStops) {
    Launch("z=TOP,e=notepad.exe");
    window->target = CreateWindowExA(0, "Static", "target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
    SendMessageA(hwnd, WM_TIMER, kWatchTimer, 0);
    EXPECT_FALSE(DrainQuit()) << "ended while the target lives";
    DestroyWindow(window->target);
    SendMessageA(hwnd, WM_TIMER, kWatchTimer, 0);
    EXPECT_TRUE(DrainQuit()) << "a closed target did not end the run";
    EXPECT_FALSE(KillTimer(hwnd, kWatchTimer)) << "the watch ran on after the run ended";
}

// "left,top widthxheight"
std::string RectText(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

TEST_F(Launched, PlacementDialogMapsItsFieldsAndCancelWithoutButton34KeepsEverything) {
    Launch("x=10,y=20,w=300,h=200,z=TOP,e=notepad.exe");
    window->target = CreateWindowExA(0, "STATIC", "", WS_POPUP, 400, 300, 50, 40, nullptr, nullptr,
                                     wpApp.hinst, nullptr);
    auto rect = [this] { return RectText(window->target); };
    SendAndRun(hwnd, WM_COMMAND, kCmdPlacementDialog, 0, [] {
        EXPECT_EQ("10 20 300 200", FieldTexts({30, 31, 32, 33}));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(OpenDialog(), 32)));
        Type(30, "99");
        Press(IDCANCEL);
    });
    EXPECT_EQ("400,300 50x40", rect()) << "Cancel put the moved window back";
    SendAndRun(hwnd, WM_COMMAND, kCmdPlacementDialog, 0, [] {
        Type(30, "11"); Type(31, "21"); Type(32, "310"); Type(33, "210");
        Press(IDOK);
    });
    EXPECT_EQ("11,21 310x210", rect());
    DestroyWindow(window->target);
    window->target = nullptr;

    DestroyWindow(hwnd);
    DrainQuit();
    Launch("x=10,y=20,w=0,h=200,z=TOP,e=notepad.exe");
    SendAndRun(hwnd, WM_COMMAND, kCmdPlacementDialog, 0, [] {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(OpenDialog(), 32))) << "a width of 0 could be edited";
        Press(IDCANCEL);
    });
}

TEST_F(Launched, TimingDialogWithSaveUncheckedChangesOnlyThisRun) {
    Launch("z=TOP,e=notepad.exe");
    kivlibKeys keys;
    char delay[kivlibTextSize] = "", interval[kivlibTextSize] = "";
    keys.readKey(kCaptureDelayKey, delay);
    keys.readKey(kReturnIntervalKey, interval);
    SendAndRun(hwnd, WM_COMMAND, kCmdTimingDialog, 0, [&] {
        EXPECT_EQ(std::to_string(window->timings.captureDelay) + " " +
                      std::to_string(window->timings.returnInterval),
                  FieldTexts({18, 19}));
        Type(18, "1234"); Type(19, "321");
        Press(IDOK);
    });
    EXPECT_EQ(1234, window->timings.captureDelay);
    EXPECT_EQ(321, window->timings.returnInterval);
    char stored[kivlibTextSize] = "";
    keys.readKey(kCaptureDelayKey, stored);
    EXPECT_STREQ(delay, stored);
    keys.readKey(kReturnIntervalKey, stored);
    EXPECT_STREQ(interval, stored);
    keys.setKey(kCaptureDelayKey, delay);  // as they were, should the test fail
    keys.setKey(kReturnIntervalKey, interval);
}

TEST_F(Launched, HidingTheIconAsksFirstAndOnlyOkRemovesIt) {
    Launch("z=TOP,e=notepad.exe");
    platform.answers = {IDCANCEL, IDOK};
    SendMessageA(hwnd, WM_COMMAND, kCmdHideIcon, 0);
    EXPECT_EQ(0, IconCalls(NIM_DELETE));
    SendMessageA(hwnd, WM_COMMAND, kCmdHideIcon, 0);
    EXPECT_EQ(1, IconCalls(NIM_DELETE));
    ASSERT_EQ(2u, platform.boxes.size());
    EXPECT_EQ("Warning!", platform.boxes[0].caption);
    EXPECT_EQ("再起動までの間はﾀｽｸﾄﾚｲに表示させませんが良いですか", platform.boxes[0].text);
    EXPECT_EQ(0x31u, platform.boxes[0].type);
    EXPECT_FALSE(DrainQuit());  // the run goes on without the icon
}

struct FailureCase {
    const char* fault;
    const char* line;
    bool shellFails;
    std::vector<std::string> captions;  // in order
    std::vector<bool> ownedByMain;
};

TEST_F(Launched, StartFailuresBeepShowTheirBoxesAndEndWithoutIcon) {
    const FailureCase cases[] = {
        {"shell failure not reported", "e=nothing.exe", true, {"   ERROR !!"}, {true}},
        {"empty line not refused", "", false, {"ERROR"}, {true}},
        {"response-file box missing or after the usage box", "r=c:\\no\\such.rsp", false,
         {"ERROR!!", "ERROR"}, {false, true}},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.fault);
        RecordingPlatform local;
        if (c.shellFails) local.shellOpenResult = reinterpret_cast<HINSTANCE>(2);
        CopyText(commandText, sizeof commandText, c.line);
        LauncherWindow* failed = new LauncherWindow;
        ASSERT_EQ(c.captions.size(), local.boxes.size());
        for (size_t i = 0; i < c.captions.size(); ++i) {
            EXPECT_EQ(c.captions[i], local.boxes[i].caption);
            EXPECT_EQ(c.ownedByMain[i] ? failed->hwnd : nullptr, local.boxes[i].owner);
            EXPECT_EQ(0u, local.boxes[i].type);
        }
        EXPECT_EQ(std::vector<UINT>{0}, local.beeps);  // one beep, before the last box
        int adds = 0;
        for (const auto& call : local.iconCalls) adds += call.message == NIM_ADD;
        EXPECT_EQ(0, adds);
        EXPECT_TRUE(DrainQuit());
        DestroyWindow(failed->hwnd);
        DrainQuit();
    }
}

// The start function's window closed inside the shell's call, which can
// run a loop (a DDE conversation, a security prompt): taskkill without /f
// posts the close. The shell then fails or succeeds.
class ClosingShell : public RecordingPlatform {
public:
    HINSTANCE ShellOpen(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show) override {
        HINSTANCE result = RecordingPlatform::ShellOpen(owner, verb, file, parameters, directory, show);
        CloseInNestedLoop(FindWindowA("MAINWIN", "LOFT notepad.exe"));
        deletesInShellCall = iconCalls.size();  // the destructor deletes the icon
        return result;
    }
    size_t deletesInShellCall = 0;
};

TEST_F(Launched, ClosedDuringTheShellsCallStartUpStopsAndTheProgramEnds) {
    const struct {
        const char* fault;
        INT_PTR shellResult;
    } rows[] = {
        {"failed launch: the box shown for a gone window, or the object deleted under its constructor", 2},
        {"launch done: icon or menu made for a gone window, or the object deleted under its constructor", 42},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        ClosingShell shell;
        shell.shellOpenResult = reinterpret_cast<HINSTANCE>(row.shellResult);
        CopyText(commandText, sizeof commandText, "z=TOP,e=notepad.exe");
        wpApp.startingUp = true;
        auto* starting = new LauncherWindow;
        ASSERT_EQ(0u, shell.deletesInShellCall);
        EXPECT_EQ(nullptr, starting->hwnd);
        EXPECT_TRUE(shell.boxes.empty());
        EXPECT_TRUE(shell.beeps.empty());
        EXPECT_EQ(0, GetMenuItemCount(starting->leftMenu.hmenu));
        for (const auto& call : shell.iconCalls) EXPECT_NE(static_cast<DWORD>(NIM_ADD), call.message);
        wpApp.mainWin = starting;
        wpApp.exitCode = -1;
        wpApp.Run();
        EXPECT_EQ(0, wpApp.exitCode);
        EXPECT_EQ(nullptr, wpApp.mainWin);
        EXPECT_TRUE(shell.boxes.empty());
    }
}

// The capture never takes one of lofter's own windows: the tray menu makes
// the main window the foreground one, the About box and the settings
// dialogs are windows of the process too.
// Another program's window whose thread is held: the foreground moved to
// it has no window until the thread takes the activation, as during any
// switch between programs on a busy machine.
class HeldThread {
public:
    explicit HeldThread(HWND window)
        : thread_(OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr))) {
        if (thread_) SuspendThread(thread_);
    }
    ~HeldThread() {
        if (thread_) {
            ResumeThread(thread_);
            CloseHandle(thread_);
        }
    }

private:
    HANDLE thread_;
};

TEST_F(Launched, TheCaptureWaitsWhileOneOfItsOwnWindowsIsInTheForeground) {
    e2e::Program notepad;
    HWND other = e2e::StartNotepad(notepad);
    ASSERT_NE(nullptr, other);

    Launch("x=10,y=20,z=TOP,e=notepad.exe");
    HWND dialog = CreateWindowExA(0, "#32770", "own dialog", WS_POPUP | WS_VISIBLE, 300, 300, 80, 60,
                                  hwnd, nullptr, nullptr, nullptr);
    const struct {
        const char* fault;
        HWND asked;
        HWND foreground;
    } rows[] = {
        {"its main window, the tray menu's owner, captured", hwnd, hwnd},
        {"its own dialog captured", dialog, dialog},
        {"the moment without a foreground window taken: nothing placed, and lofter ends", other, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        HeldThread held(row.asked == other ? other : nullptr);
        SetForegroundWindow(row.asked);
        ASSERT_EQ(row.foreground, GetForegroundWindow());
        SendMessageA(hwnd, WM_TIMER, kCaptureTimer, 0);
        EXPECT_EQ(nullptr, window->target);
        const DWORD retry = TimerPeriod(hwnd, kCaptureTimer, 2);
        EXPECT_TRUE(retry >= 200 && retry <= 400) << "it looks again after " << retry << " ms, not 250";
    }
    DestroyWindow(dialog);

    // The first foreground window of another process is taken and placed.
    // Its process takes the activation a moment later.
    SetForegroundWindow(other);
    for (DWORD start = GetTickCount(); GetForegroundWindow() != other && GetTickCount() - start < 5000;)
        Sleep(20);
    ASSERT_EQ(other, GetForegroundWindow());
    SendMessageA(hwnd, WM_TIMER, kCaptureTimer, 0);
    EXPECT_EQ(other, window->target);
    RECT placed;
    GetWindowRect(other, &placed);
    EXPECT_EQ(10, placed.left);
    EXPECT_EQ(20, placed.top);
    EXPECT_TRUE(GetWindowLongA(other, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(KillTimer(hwnd, kCaptureTimer)) << "the capture did not stop after taking a window";
}

// Commands that reach the main window while a settings dialog runs its
// loop (posted before the dialog opens, so its loop delivers them).

struct DuringDialogCase {
    const char* fault;
    WPARAM dialog;
    WPARAM postedCommand;
    bool ends;
};

TEST_F(Launched, CommandsThatArriveWhileADialogIsOpen) {
    const DuringDialogCase cases[] = {
        {"close under the placement dialog: freed window used, top-most not undone", kCmdPlacementDialog, kCmdClose, true},
        {"close under the timing dialog", kCmdTimingDialog, kCmdClose, true},
        {"a second dialog opened over the first", kCmdPlacementDialog, kCmdTimingDialog, false},
    };
    DialogCanceller dialogs;
    for (const DuringDialogCase& c : cases) {
        SCOPED_TRACE(c.fault);
        platform.iconCalls.clear();
        dialogs.Reset();
        Launch("z=TOP,e=notepad.exe");
        HWND target = CreateWindowExA(WS_EX_TOPMOST, "Static", "target", WS_POPUP, 0, 0, 10, 10,
                                      nullptr, nullptr, nullptr, nullptr);
        window->target = target;
        PostMessageA(hwnd, WM_COMMAND, c.postedCommand, 0);
        SendMessageA(hwnd, WM_COMMAND, c.dialog, 0);
        EXPECT_EQ(1, dialogs.Opened());
        EXPECT_EQ(!c.ends, IsWindow(hwnd) != FALSE);
        EXPECT_EQ(c.ends, DrainQuit());
        EXPECT_EQ(!c.ends, (GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        int deletesOfOurIcon = 0;
        for (const auto& call : platform.iconCalls)
            deletesOfOurIcon += call.message == NIM_DELETE && call.data.hWnd == hwnd;
        EXPECT_EQ(c.ends ? 2 : 0, deletesOfOurIcon);  // the end of the run and the destruction
        EXPECT_TRUE(platform.boxes.empty());
        if (!c.ends) DestroyWindow(hwnd);
        DestroyWindow(target);
        DrainQuit();
        window = nullptr;
    }
}

// Placed through the capture: positions count from the monitor m=N names,
// from the monitor list the platform reports (here a second monitor left of
// the primary one, reported first).
TEST_F(Launched, PositionsCountFromTheChosenMonitor) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    platform.monitors = {{{-800, 100, 0, 700}, false}, {desktop, true}};
    const struct {
        const char* fault;
        const char* line;
        std::string rect;
    } rows[] = {
        {"m=2 placed on the primary screen", "m=2,x=-300,y=-150,w=200,h=100,e=a.exe", "-300,550 200x100"},
        {"the primary monitor is not monitor 1", "m=1,x=20,y=30,w=200,h=100,e=a.exe", "20,30 200x100"},
        {"a number naming no monitor not the primary screen", "m=3,x=-250,y=30,w=200,h=100,e=a.exe",
         std::to_string(desktop.right - 250) + ",30 200x100"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        Launch(row.line);
        HWND target = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 400, 300, 50, 40, nullptr,
                                      nullptr, wpApp.hinst, nullptr);
        window->target = target;
        window->place();
        EXPECT_EQ(row.rect, RectText(target));
        DestroyWindow(target);
        DestroyWindow(hwnd);
        DrainQuit();
    }
    // The placement dialog counts from the same corner.
    Launch("m=2,x=0,y=0,z=TOP,e=a.exe");
    window->target = CreateWindowExA(0, "STATIC", "", WS_POPUP, -700, 200, 50, 40, nullptr, nullptr,
                                     wpApp.hinst, nullptr);
    SendAndRun(hwnd, WM_COMMAND, kCmdPlacementDialog, 0, [] {
        SendMessageA(OpenDialog(), WM_COMMAND, kIdUseCurrent, 0);
        EXPECT_EQ("100 100", FieldTexts({kIdX, kIdY})) << "the present position not counted from monitor 2";
        Press(IDCANCEL);
    });
    EXPECT_EQ("-700,200 50x40", RectText(window->target));
    DestroyWindow(window->target);
}

TEST_F(Launched, MaximizedOrMinimizedTargetIsRestoredBeforeAMoveOrSize) {
    const struct {
        const char* fault;
        const char* line;
        int state;  // SW_MAXIMIZE or SW_MINIMIZE
        bool restored;
        const char* rect;  // after the placement, when restored
    } rows[] = {
        {"a maximized window sized but left maximized", "x=50,y=60,w=400,h=300,e=a.exe", SW_MAXIMIZE, true,
         "50,60 400x300"},
        {"a minimized window moved but left minimized", "x=50,y=60,e=a.exe", SW_MINIMIZE, true, "50,60 250x150"},
        {"a placement of the z-order only restored the window", "z=TOP,e=a.exe", SW_MAXIMIZE, false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        Launch(row.line);
        HWND target = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 400, 300, 250, 150, nullptr,
                                      nullptr, wpApp.hinst, nullptr);
        ShowWindow(target, row.state);
        window->target = target;
        window->place();
        EXPECT_EQ(!row.restored, IsZoomed(target) || IsIconic(target));
        if (row.restored) {
            EXPECT_EQ(row.rect, RectText(target));
        }
        DestroyWindow(target);
        DestroyWindow(hwnd);
        DrainQuit();
    }
}

// c=NEW with windows of another process: openslow's main window, which
// opens at once and takes no activation.
HWND openSlowMain = nullptr;
PROCESS_INFORMATION openSlow = {};

void StartOpenSlow() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string line = path;
    line = "\"" + line.substr(0, line.find_last_of('\\') + 1) + "openslow.exe\" 0 0";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &openSlow))
        return;
    for (int i = 0; i < 500 && !(openSlowMain = FindWindowA(openslow::kMainClass, nullptr)); ++i) Sleep(20);
}

void EndOpenSlow() {
    if (openSlowMain) PostMessageA(openSlowMain, WM_CLOSE, 0, 0);
    WaitForSingleObject(openSlow.hProcess, 5000);
    CloseHandle(openSlow.hProcess);
    CloseHandle(openSlow.hThread);
    openSlow = {};
    openSlowMain = nullptr;
}

TEST_F(Launched, NewWindowIsOneShownSinceTheShellCallElseTheForegroundAfterTenSeconds) {
    // Shown while the shell's call ran: noted after the call, it would be old.
    platform.onShellOpen = StartOpenSlow;
    Launch("c=NEW,x=10,y=20,e=a.exe");
    ASSERT_NE(nullptr, openSlowMain);
    SendMessageA(hwnd, WM_TIMER, kCaptureTimer, 0);
    EXPECT_EQ(openSlowMain, window->target) << "the program's window not taken";
    EXPECT_EQ("10,20", RectText(openSlowMain).substr(0, 5));
    DestroyWindow(hwnd);
    DrainQuit();

    // Already shown before the start, it is old: lofter looks again every
    // 250 ms, for 10 s past the delay, then takes it from the foreground.
    platform.onShellOpen = nullptr;
    SetForegroundWindow(openSlowMain);
    ASSERT_EQ(openSlowMain, GetForegroundWindow());
    Launch("c=NEW,x=30,y=40,e=a.exe");
    platform.tickCount = 1000;
    SendMessageA(hwnd, WM_TIMER, kCaptureTimer, 0);
    EXPECT_EQ(nullptr, window->target) << "an old window taken at once";
    const DWORD period = TimerPeriod(hwnd, kCaptureTimer, 2);
    EXPECT_TRUE(period >= 200 && period <= 400) << "looked again after " << period << " ms, not 250";
    platform.tickCount = 1000 + 9999;
    SendMessageA(hwnd, WM_TIMER, kCaptureTimer, 0);
    EXPECT_EQ(nullptr, window->target) << "the foreground taken before 10 s had passed";
    platform.tickCount = 1000 + 10000;
    SendMessageA(hwnd, WM_TIMER, kCaptureTimer, 0);
    EXPECT_EQ(openSlowMain, window->target) << "the foreground window not taken after 10 s";
    EndOpenSlow();
}

TEST(SettingsMaps, TablesFitTheirRecords) {
    EXPECT_EQ(0, CheckControlMap(kPlacementMap, sizeof(PlacementData)));
    EXPECT_EQ(0, CheckControlMap(kTimingMap, sizeof(TimingData)));
    EXPECT_EQ(4, kTimingMap[2].size);  // the check box's state is a 32-bit number
}

}  // namespace
