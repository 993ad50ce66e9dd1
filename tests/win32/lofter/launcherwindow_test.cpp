// LauncherWindow's start, tray menu and failures, with the shell, the tray
// and the boxes answered by the recording platform.
#include "launcherwindow.h"
#include "recording_platform.h"
#include "settingsdialogs.h"
#include "wpapp.h"
#include "wptext.h"

#include <gtest/gtest.h>

#include <string>

using namespace lofter;

namespace {

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
    EXPECT_NE(nullptr, icon.hIcon);
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
    EXPECT_EQ(12u, GetMenuItemID(settings, 0));
    EXPECT_EQ(13u, GetMenuItemID(settings, 1));
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

// Commands that reach the main window while a settings dialog runs its
// loop (posted before the dialog opens, so its loop delivers them).
int dialogsActivated = 0;
LRESULT CALLBACK CancelEachDialog(int code, WPARAM wParam, LPARAM lParam) {
    char cls[16] = "";
    if (code == HCBT_ACTIVATE && GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls) &&
        lstrcmpA(cls, "#32770") == 0) {
        ++dialogsActivated;
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

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
    HHOOK hook = SetWindowsHookExA(WH_CBT, CancelEachDialog, nullptr, GetCurrentThreadId());
    for (const DuringDialogCase& c : cases) {
        SCOPED_TRACE(c.fault);
        platform.iconCalls.clear();
        dialogsActivated = 0;
        Launch("z=TOP,e=notepad.exe");
        HWND target = CreateWindowExA(WS_EX_TOPMOST, "Static", "target", WS_POPUP, 0, 0, 10, 10,
                                      nullptr, nullptr, nullptr, nullptr);
        window->target = target;
        PostMessageA(hwnd, WM_COMMAND, c.postedCommand, 0);
        SendMessageA(hwnd, WM_COMMAND, c.dialog, 0);
        EXPECT_EQ(1, dialogsActivated);
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
    UnhookWindowsHookEx(hook);
}

TEST(SettingsMaps, TablesFitTheirRecords) {
    EXPECT_EQ(0, CheckControlMap(kPlacementMap, sizeof(PlacementData)));
    EXPECT_EQ(0, CheckControlMap(kTimingMap, sizeof(TimingData)));
    EXPECT_EQ(4, kTimingMap[2].size);  // the check box's state is a 32-bit number
}

}  // namespace
