// The timed programs' windows around the countdown: what construction makes
// or refuses to make, the tray menu's commands, and each program's action.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aubadewindow.h"
#include "dialog_canceller.h"
#include "harness.h"
#include "nocturnewindow.h"
#include "timed_test_support.h"
#include "usage_texts.h"

namespace {

// Keeps the whole record of each shell request.
class ProcessRecorder : public VirtualClock {
public:
    std::vector<SHELLEXECUTEINFOA> requests;
    BOOL ShellOpenEx(SHELLEXECUTEINFOA* info) override {
        requests.push_back(*info);
        return VirtualClock::ShellOpenEx(info);
    }
};

int ItemCount(const WPMenu& menu) { return ::GetMenuItemCount(menu.hmenu); }

// nocturne's window when closer, else aubade's.
WPTrayWin* StartProgram(bool closer, const std::string& tail) {
    if (closer) return StartWindow<nocturne::TimedWindow>(tail);
    return StartWindow<aubade::TimedWindow>(tail);
}

struct Refusal {
    const char* fault;
    bool closer;  // nocturne, else aubade
    std::string tail;
};

TEST(Construction, ARefusedCommandLineShowsTheUsageAndMakesNothingElse) {
    const Refusal rows[] = {
        {"an empty line was accepted", false, ""},
        {"a time alone was accepted", false, "7:30"},
        {"hour 24, which never comes, was accepted", false, "24:00 notepad.exe"},
        {"minute 60, which never comes, was accepted", true, "7:60 Title"},
        {"a tail past the 255-character copy was acted on cut", false,
         "7:30 notepad.exe," + std::string(300, 'a')},
        {"the closer's -c was accepted", true, "23:00 Title,-c"},
        {"the closer's tail one past the copy was acted on cut", true,
         "23:00 " + std::string(250, 'T')},
    };
    for (const Refusal& row : rows) {
        SCOPED_TRACE(row.fault);
        VirtualClock platform;
        WPTrayWin* window = StartProgram(row.closer, row.tail);
        ASSERT_EQ(1u, platform.boxes.size());
        EXPECT_EQ(row.closer ? e2e::kNocturneUsage : e2e::kAubadeUsage, platform.boxes[0].text);
        EXPECT_EQ("ERROR", platform.boxes[0].caption);
        EXPECT_EQ(0u, platform.boxes[0].type);
        EXPECT_EQ(nullptr, platform.boxes[0].owner);
        EXPECT_TRUE(platform.beeps.empty());
        EXPECT_EQ(0, TakeQuit());
        EXPECT_EQ(nullptr, window->hwnd);
        EXPECT_EQ(0, ItemCount(window->leftMenu));
        EXPECT_TRUE(platform.iconCalls.empty());
        delete window;
    }
}

TEST(Construction, HiddenWindowMenuTipAndIcon) {
    VirtualClock platform;
    auto* window = StartWindow<aubade::TimedWindow>("7:05 C:\\tools\\notepad.exe");
    ASSERT_NE(nullptr, window->hwnd);
    char text[64];
    ::GetClassNameA(window->hwnd, text, sizeof text);
    EXPECT_STREQ("Aubade", text);
    ::GetWindowTextA(window->hwnd, text, sizeof text);
    EXPECT_STREQ("Aubade", text);
    EXPECT_TRUE(::GetWindowLongA(window->hwnd, GWL_STYLE) & WS_MINIMIZE);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window->hwnd, &placement);
    EXPECT_EQ(200, placement.rcNormalPosition.right - placement.rcNormalPosition.left);
    EXPECT_EQ(2 * timed::ScreenLineHeight(),
              placement.rcNormalPosition.bottom - placement.rcNormalPosition.top);

    const UINT ids[] = {512, 10, 11, 532};
    const char* texts[] = {"終了", "時間変更", "ﾀｽｸﾄﾚｲに表示させない", "について"};
    ASSERT_EQ(4, ItemCount(window->leftMenu));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ids[i], window->leftMenu.ItemId(i));
        ::GetMenuStringA(window->leftMenu.hmenu, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(texts[i], text);
    }
    EXPECT_EQ(0, ItemCount(window->rightMenu));

    ASSERT_EQ(1u, platform.iconCalls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), platform.iconCalls[0].message);
    EXPECT_EQ(1u, platform.iconCalls[0].data.uID);
    EXPECT_STREQ("notepad.exe 7:05:00", platform.iconCalls[0].data.szTip);
    EXPECT_NE(nullptr, platform.iconCalls[0].data.hIcon);

    ::SendMessageA(window->hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(::IsWindowVisible(window->hwnd));
    EndWindow(window);
}

TEST(Construction, TipSubjectsAndTheOptionH) {
    struct Row {
        const char* fault;
        bool closer;
        std::string tail;
        const char* tip;  // null: no icon added
    };
    // The longest caption that the 255-character tail leaves room for.
    const std::string longCaption(250, 'C');
    const Row rows[] = {
        {"the program name split at a lone leading backslash", false, "7:05 \\notepad.exe",
         "\\notepad.exe 7:05:00"},
        {"the closer's tip is not its caption and time", true, "23:00 Untitled - Notepad",
         "Untitled - Notepad 23:00:00"},
        {"a long subject overran the tip or was not cut to 63", true,
         "7:05 " + longCaption, "CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC"},
        {"option h still added the icon", true, "23:00 Title,-h", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        VirtualClock platform;
        WPTrayWin* window = StartProgram(row.closer, row.tail);
        ASSERT_NE(nullptr, window->hwnd);
        if (row.tip) {
            ASSERT_EQ(1u, platform.iconCalls.size());
            EXPECT_STREQ(row.tip, platform.iconCalls[0].data.szTip);
        } else {
            EXPECT_TRUE(platform.iconCalls.empty());
        }
        ::DestroyWindow(window->hwnd);
        TakeQuit();
    }
}

TEST(TrayCommands, HideIconAsksAndCloseEndsWithoutFiring) {
    VirtualClock platform;
    auto* window = StartWindow<aubade::TimedWindow>("7:05 notepad.exe");
    platform.answers = {IDCANCEL, IDOK};
    window->OnCommand(timed::kCmdHideIcon, 0);
    EXPECT_EQ(1u, platform.iconCalls.size());  // Cancel: the icon stays
    window->OnCommand(timed::kCmdHideIcon, 0);
    ASSERT_EQ(2u, platform.boxes.size());
    EXPECT_EQ("再起動までの間はﾀｽｸﾄﾚｲに表示させませんが良いですか", platform.boxes[1].text);
    EXPECT_EQ("Warning!", platform.boxes[1].caption);
    EXPECT_EQ(0x31u, platform.boxes[1].type);
    EXPECT_EQ(window->hwnd, platform.boxes[1].owner);
    ASSERT_EQ(2u, platform.iconCalls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), platform.iconCalls[1].message);
    EXPECT_EQ(0, window->noIcon);

    // The clock is at the set time (the recorder's 7:05:00), yet close ends
    // without firing.
    HWND hwnd = window->hwnd;
    ::SendMessageA(hwnd, WM_COMMAND, kCmdClose, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(0, TakeQuit());
    EXPECT_TRUE(platform.shellCalls.empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), platform.iconCalls.back().message);
}

TEST(TrayCommands, ASecondChangeTimeWhileTheDialogIsOpenOpensNone) {
    VirtualClock platform;
    auto* window = StartWindow<aubade::TimedWindow>("7:05 notepad.exe");
    {
        DialogCanceller dialogs;
        // Delivered by the first dialog's loop, as a command the menu posts.
        ::PostMessageA(window->hwnd, WM_COMMAND, timed::kCmdChangeTime, 0);
        ::SendMessageA(window->hwnd, WM_COMMAND, timed::kCmdChangeTime, 0);
        EXPECT_EQ(1, dialogs.Opened()) << "a second time dialog, whose OK the first one's would overwrite";
        ::SendMessageA(window->hwnd, WM_COMMAND, timed::kCmdChangeTime, 0);
        EXPECT_EQ(2, dialogs.Opened()) << "the dialog stayed refused after it closed";
    }
    EndWindow(window);
}

// The set time comes while the tray menu is open: the menu's loop delivers
// the clock's ticks. The menu is left open for a second. A firing that ends
// the program may leave the menu open (Wine's does), but its quit must come
// through once the menu has closed.
bool menuOpenAfterFiring = false;
void CALLBACK EndTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND menu = ::FindWindowA("#32768", nullptr);
    menuOpenAfterFiring = menu && ::IsWindowVisible(menu);
    ::EndMenu();
}

TEST(TrayCommands, AFiringWhileTheMenuIsOpenFiresOnce) {
    const struct {
        const char* fault;
        const char* tail;
        int quit;  // -1: stays, and so does its menu
    } rows[] = {
        {"firing under the menu fired twice, or its quit was lost in the menu's loop", "7:05 notepad.exe", 0},
        {"firing under the menu fired twice, or ended the program that stays", "7:05 notepad.exe, , ,-c", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        VirtualClock platform;
        platform.SetTime(8, 7, 5, 0, 0);
        auto* window = StartWindow<aubade::TimedWindow>(row.tail);
        menuOpenAfterFiring = false;
        const UINT_PTR ender = ::SetTimer(nullptr, 0, 1000, EndTheMenu);
        ::SendMessageA(window->hwnd, kTrayMessage, timed::kTrayIconId, WM_LBUTTONDOWN);
        ::KillTimer(nullptr, ender);
        EXPECT_EQ(1u, platform.shellCalls.size());
        if (row.quit == -1) {
            EXPECT_TRUE(menuOpenAfterFiring);
        }
        EXPECT_EQ(row.quit, TakeQuit());
        EXPECT_EQ(static_cast<DWORD>(row.quit == 0 ? NIM_DELETE : NIM_ADD), platform.iconCalls.back().message);
        EndWindow(window);
    }
}

TEST(Fire, TheLauncherOpensThroughTheShellAndEndsUnlessToldToStay) {
    struct Row {
        const char* fault;
        const char* tail;
        BOOL shellResult;
        const char *file, *parameters, *directory;  // as the shell gets them
        int quit;                                  // -1: stays
    };
    const Row rows[] = {
        {"omitted fields were not empty texts", "7:05 notepad.exe", TRUE, "notepad.exe", "", "", 0},
        {"a failed launch did not go on as a successful one", "7:05 notepad.exe", FALSE,
         "notepad.exe", "", "", 0},
        {"a path with blanks was cut or the space placeholder lost; or option c ended the program",
         "7:05 C:\\my tools\\a b.exe, ,C:\\work,-c", TRUE, "C:\\my tools\\a b.exe", " ",
         "C:\\work", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        ProcessRecorder platform;
        platform.shellOpenExResult = row.shellResult;
        auto* window = StartWindow<aubade::TimedWindow>(row.tail);
        window->Fire();
        ASSERT_EQ(1u, platform.requests.size());
        const SHELLEXECUTEINFOA& sent = platform.requests[0];
        EXPECT_EQ(sizeof(SHELLEXECUTEINFOA), sent.cbSize);  // 60 on i686
        EXPECT_EQ(0u, sent.fMask);
        EXPECT_EQ(nullptr, sent.hwnd);
        EXPECT_STREQ("open", sent.lpVerb);
        EXPECT_STREQ(row.file, sent.lpFile);
        EXPECT_STREQ(row.parameters, sent.lpParameters);
        EXPECT_STREQ(row.directory, sent.lpDirectory);
        EXPECT_EQ(SW_SHOWNORMAL, sent.nShow);
        EXPECT_EQ(row.quit, TakeQuit());
        // Its icon goes as it ends, or stays with it (option c).
        EXPECT_EQ(static_cast<DWORD>(row.quit == 0 ? NIM_DELETE : NIM_ADD),
                  platform.iconCalls.back().message);
        EndWindow(window);
    }
}

// A window of another process stands for the target: Wine's Notepad. The
// seam only records the end it is asked for.
TEST(Fire, TheCloserEndsTheProcessOfTheWindowWithTheWholeCaption) {
    e2e::Program notepad;
    const std::string caption = e2e::TextOf(e2e::StartNotepad(notepad));
    ASSERT_GT(caption.size(), 2u);
    HWND ownWindow = ::CreateWindowExA(0, "STATIC", "Kivora closer target", WS_OVERLAPPED, 0, 0, 10,
                                       10, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    struct Row {
        const char* fault;
        std::string caption;
        bool ends;
    };
    const Row rows[] = {
        {"the whole caption did not find its window", caption, true},
        {"a partial caption matched", caption.substr(0, caption.size() - 1), false},
        {"a caption with a leading space matched", " " + caption, false},
        {"its own hidden window ended its own process, leaving the icon behind", "Nocturne", false},
        {"a window of its own process ended it", "Kivora closer target", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        ProcessRecorder platform;
        auto* window = StartWindow<nocturne::TimedWindow>("7:05 " + row.caption);
        window->Fire();
        // All access, not inheritable; the opened handle is ended, then closed.
        const std::string handle = RecordingPlatform::Handle(platform.openProcessResult);
        const std::vector<std::string> calls = {
            "open 1f0fff 0 " + std::to_string(notepad.Id()), "terminate " + handle + " 0",
            "close " + handle};
        EXPECT_EQ(row.ends ? calls : std::vector<std::string>{}, platform.processCalls);
        EXPECT_EQ(0, TakeQuit());  // it ends either way
        EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), platform.iconCalls.back().message);
        EndWindow(window);
    }
    ::DestroyWindow(ownWindow);
}

// With g the target is asked to close and given 10 s (on the seam's tick
// count) to end by itself. The window found is a close target that ignores
// the request, in a process of its own; the seam answers the wait.
TEST(Fire, TheCloserWithGWaitsUpToTenSecondsBeforeEndingTheProcess) {
    e2e::Program target;
    ASSERT_TRUE(target.Start(e2e::BesideTests("close_target.exe"), "ignores Kivora polite target"));
    e2e::WindowQuery query;
    query.caption = "Kivora polite target";
    ASSERT_NE(nullptr, e2e::WaitForWindow(query, 10000));
    struct Row {
        const char* fault;
        int endsAtMs;  // when the process ends by itself; -1 never
        bool ended;    // by nocturne
        DWORD quitAtMs;
    };
    const Row rows[] = {
        {"a process that ended by itself was ended again, or not waited for", 3000, false, 3000},
        {"the process was ended before 10 s or never", -1, true, 10000},
    };
    const DWORD kStart = 0xFFFFF000;  // the wait spans the tick count's wrap
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        ProcessRecorder platform;
        platform.tickCount = kStart;
        auto* window = StartWindow<nocturne::TimedWindow>("7:05 Kivora polite target,-g");
        window->Fire();
        int quit = TakeQuit();
        DWORD elapsed = 0;
        while (quit == -1 && elapsed < 20000) {
            elapsed += 100;
            platform.tickCount = kStart + elapsed;
            platform.processEnded = row.endsAtMs >= 0 && elapsed >= static_cast<DWORD>(row.endsAtMs);
            window->OnTimer(nocturne::kCloseWaitTimer);
            quit = TakeQuit();
        }
        EXPECT_EQ(0, quit);
        EXPECT_EQ(row.quitAtMs, elapsed);
        EXPECT_EQ(0u, platform.longestWaitMs) << "a look at the closing program held the window's thread";
        const std::string handle = RecordingPlatform::Handle(platform.openProcessResult);
        std::vector<std::string> calls = {"open 1f0fff 0 " + std::to_string(target.Id())};
        if (row.ended) calls.push_back("terminate " + handle + " 0");
        calls.push_back("close " + handle);
        EXPECT_EQ(calls, platform.processCalls);
        EndWindow(window);
    }
    EXPECT_TRUE(target.IsRunning());
}

}  // namespace
