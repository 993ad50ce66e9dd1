// aubade and nocturne driven from outside on the real clock. The programs
// that fire share one set time a few seconds ahead and run at once, so the
// whole file waits for the clock only once. The set time is written with two
// digits a part: a leading zero that the clock itself does not print for an
// hour below 10.
#include "harness.h"
#include "usage_texts.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Generous: five programs start at once on a machine that others share.
const DWORD kStartMs = 30000;


std::string Aubade() { return e2e::BesideTests("aubade.exe"); }
std::string Nocturne() { return e2e::BesideTests("nocturne.exe"); }

std::string Notepad() {
    char folder[MAX_PATH];
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\notepad.exe";
}

ULONGLONG NowTicks() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return ULARGE_INTEGER{{now.dwLowDateTime, now.dwHighDateTime}}.QuadPart;
}

const ULONGLONG kTicksPerSecond = 10000000;

// A set time secondsAhead from now, as "hh:mm:ss", and when it comes.
struct SetTime {
    std::string text;
    ULONGLONG due;
};

SetTime SetTimeIn(int secondsAhead) {
    ULONGLONG due = NowTicks() + secondsAhead * kTicksPerSecond;
    FILETIME utc = {static_cast<DWORD>(due), static_cast<DWORD>(due >> 32)}, local;
    ::FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME at;
    ::FileTimeToSystemTime(&local, &at);
    char text[16];
    wsprintfA(text, "%02d:%02d:%02d", at.wHour, at.wMinute, at.wSecond);
    return SetTime{text, due - due % kTicksPerSecond};
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM list) {
    if (e2e::ClassOf(child) == "Static")
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(e2e::TextOf(child));
    return TRUE;
}

// The texts of a dialog's static controls, in child order.
std::vector<std::string> StaticTexts(HWND dialog) {
    std::vector<std::string> texts;
    ::EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::set<HWND> NotepadWindows() {
    e2e::WindowQuery query;
    query.className = "Notepad";
    auto found = e2e::FindWindows(query);
    return std::set<HWND>(found.begin(), found.end());
}

// A Notepad on a file of its own, whose caption names the file.
struct Target {
    e2e::Program program;
    HWND window = nullptr;
    std::string caption;

    bool Open(const std::string& fileName) {
        std::string path = e2e::BesideTests(fileName);
        if (FILE* file = fopen(path.c_str(), "w")) fclose(file);
        if (!program.Start(Notepad(), path)) return false;
        e2e::WindowQuery query;
        query.className = "Notepad";
        query.processId = program.Id();
        window = e2e::WaitForWindow(query, kStartMs);
        if (!window) return false;
        caption = e2e::TextOf(window);
        return !caption.empty();
    }
};

void EndProcessOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        ::TerminateProcess(process, 0);
        ::WaitForSingleObject(process, 5000);
        ::CloseHandle(process);
    }
}

HWND MainWindowOf(const e2e::Program& program, const char* className) {
    e2e::WindowQuery query;
    query.className = className;
    query.processId = program.Id();
    return e2e::WaitForWindow(query, kStartMs);
}

// A message box owned by owner (a dialog is a "#32770" with a -1 static too).
std::optional<e2e::MessageBoxInfo> WaitForBoxOwnedBy(HWND owner, DWORD processId) {
    e2e::WindowQuery query;
    query.className = "#32770";
    query.processId = processId;
    query.visibleOnly = true;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kStartMs) {
        for (HWND box : e2e::FindWindows(query))
            if (::GetWindow(box, GW_OWNER) == owner) return e2e::ReadMessageBox(box);
        e2e::PumpFor(50);
    }
    return std::nullopt;
}

// A target of nocturne -g in the manner its word names (close_target.cpp),
// the nocturne that closes it, and when the target was seen gone.
struct PoliteClose {
    PoliteClose(const char* itsManner) : manner(itsManner) {}

    const char* manner;
    e2e::Program target, closer;
    HWND closerWindow = nullptr;
    ULONGLONG endedAt = 0;

    std::string Caption() const { return std::string("Kivora target that ") + manner; }
    bool Open() {
        if (!target.Start(e2e::BesideTests("close_target.exe"), std::string(manner) + " " + Caption()))
            return false;
        // By class: a hung window answers no request for its text.
        return MainWindowOf(target, "KivoraCloseTarget") != nullptr;
    }
};

// Sees each target end, polling from before the set time; once the wait has
// run 3 s, every nocturne still waiting must answer at once.
void WatchPoliteCloses(PoliteClose* cases, int count, ULONGLONG due) {
    bool probed = false;
    for (;;) {
        const ULONGLONG now = NowTicks();
        bool running = false;
        for (int i = 0; i < count; ++i) {
            if (cases[i].endedAt) continue;
            if (cases[i].target.IsRunning())
                running = true;
            else
                cases[i].endedAt = now;
        }
        if (!running || now > due + 30 * kTicksPerSecond) return;
        if (!probed && now > due + 3 * kTicksPerSecond) {
            probed = true;
            for (int i = 0; i < count; ++i) {
                DWORD_PTR answer;
                if (!::IsWindow(cases[i].closerWindow)) continue;
                EXPECT_NE(0, ::SendMessageTimeoutA(cases[i].closerWindow, WM_NULL, 0, 0,
                                                   SMTO_ABORTIFHUNG, 1000, &answer))
                    << cases[i].manner << ": nocturne stopped answering while it waited";
            }
        }
        e2e::PumpFor(50);
    }
}

TEST(TimedPrograms, RefusedCommandLinesShowTheirUsageByteForByteAndEndWithZero) {
    struct Row {
        const char* fault;
        std::string exe;
        std::string tail;
        const char* usage;
    };
    const Row rows[] = {
        {"aubade's usage for a bad time", Aubade(), "25:00 notepad.exe", e2e::kAubadeUsage},
        {"aubade took hour 24, which never comes", Aubade(), "24:00 notepad.exe", e2e::kAubadeUsage},
        {"aubade took minute 60, which never comes", Aubade(), "7:60 notepad.exe", e2e::kAubadeUsage},
        {"aubade acted on a tail cut to its copy", Aubade(),
         "7:30 notepad.exe," + std::string(300, 'a'), e2e::kAubadeUsage},
        {"nocturne's usage for an unknown option", Nocturne(), "23:00 Title,-c", e2e::kNocturneUsage},
    };
    // All at once: each box waits for its answer meanwhile.
    std::vector<std::unique_ptr<e2e::Program>> programs;
    for (const Row& row : rows) {
        programs.push_back(std::make_unique<e2e::Program>());
        ASSERT_TRUE(programs.back()->Start(row.exe, row.tail)) << row.fault;
    }
    for (size_t i = 0; i < programs.size(); ++i) {
        SCOPED_TRACE(rows[i].fault);
        auto box = e2e::WaitForMessageBox(programs[i]->Id(), kStartMs);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ("ERROR", box->caption);
        EXPECT_EQ(rows[i].usage, box->text);
        ASSERT_EQ(1u, box->buttons.size());
        EXPECT_TRUE(box->HasButton(IDOK));
        e2e::WindowQuery windows;
        windows.processId = programs[i]->Id();
        windows.className = rows[i].exe == Aubade() ? "Aubade" : "Nocturne";
        EXPECT_TRUE(e2e::FindWindows(windows).empty());
        ASSERT_TRUE(e2e::PressButton(*box, IDOK));
        EXPECT_EQ(0u, programs[i]->WaitForExit(kStartMs).value_or(0xDEAD));
    }
}

// Every Notepad that appeared during a test is ended with it, on every
// path: a launched one left running would outlive the test run.
class TimedFiring : public ::testing::Test {
protected:
    void SetUp() override { notepadsBefore = NotepadWindows(); }
    void TearDown() override {
        for (HWND window : OpenedNotepads()) EndProcessOf(window);
    }
    std::vector<HWND> OpenedNotepads() const {
        std::vector<HWND> opened;
        for (HWND window : NotepadWindows()) {
            if (!notepadsBefore.count(window)) opened.push_back(window);
        }
        return opened;
    }
    std::set<HWND> notepadsBefore;
};

TEST_F(TimedFiring, AtTheSetTimeTheyLaunchAndEndWhatTheCommandLineNames) {
    // nocturne's targets: two Notepads with one caption, and one more.
    Target twinA, twinB, other;
    ASSERT_TRUE(twinA.Open("kivora-e2e-close.txt"));
    ASSERT_TRUE(twinB.Open("kivora-e2e-close.txt"));
    ASSERT_TRUE(other.Open("kivora-e2e-keep.txt"));
    ASSERT_EQ(twinA.caption, twinB.caption);
    notepadsBefore = NotepadWindows();
    PoliteClose polite[] = {{"closes"}, {"ignores"}, {"hangs"}};
    for (PoliteClose& target : polite) ASSERT_TRUE(target.Open()) << target.manner;

    // The lead covers nine program starts on a busy machine.
    const SetTime setTime = SetTimeIn(25);
    const std::string& at = setTime.text;
    e2e::Program launchOnce, launchDaily, launchFails, closeTwin, closeWithBlank, closeByMenu;
    ASSERT_TRUE(launchOnce.Start(Aubade(), at + " notepad.exe"));
    ASSERT_TRUE(launchDaily.Start(Aubade(), at + " notepad.exe, ,C:\\windows,-c"));
    // The shell reports a target it cannot open in a box of its own, whose
    // loop still delivers the tray's commands.
    ASSERT_TRUE(launchFails.Start(Aubade(), at + " kivora-no-such-target.exe, , ,-c"));
    ASSERT_TRUE(closeTwin.Start(Nocturne(), at + " " + twinA.caption));
    // Two blanks: the caption starts with a blank and names no window.
    ASSERT_TRUE(closeWithBlank.Start(Nocturne(), at + "  " + other.caption));
    // Closed from its menu before the set time: it must end without firing.
    ASSERT_TRUE(closeByMenu.Start(Nocturne(), at + " " + other.caption));
    for (PoliteClose& target : polite)
        ASSERT_TRUE(target.closer.Start(Nocturne(), at + " " + target.Caption() + ",-g"));
    ASSERT_NE(nullptr, MainWindowOf(launchOnce, "Aubade"));
    HWND dailyWindow = MainWindowOf(launchDaily, "Aubade");
    ASSERT_NE(nullptr, dailyWindow);
    HWND failsWindow = MainWindowOf(launchFails, "Aubade");
    ASSERT_NE(nullptr, failsWindow);
    ASSERT_NE(nullptr, MainWindowOf(closeTwin, "Nocturne"));
    ASSERT_NE(nullptr, MainWindowOf(closeWithBlank, "Nocturne"));
    HWND menuWindow = MainWindowOf(closeByMenu, "Nocturne");
    ASSERT_NE(nullptr, menuWindow);
    for (PoliteClose& target : polite) {
        target.closerWindow = MainWindowOf(target.closer, "Nocturne");
        ASSERT_NE(nullptr, target.closerWindow) << target.manner;
    }
    ASSERT_LT(NowTicks() + kTicksPerSecond, setTime.due)
        << "the set time came before every program was up: the lead is too short here";

    // The About box on the way.
    ASSERT_TRUE(::PostMessageA(menuWindow, WM_COMMAND, 532, 0));
    e2e::WindowQuery about;
    about.className = "#32770";
    about.processId = closeByMenu.Id();
    about.visibleOnly = true;
    HWND aboutBox = e2e::WaitForWindow(about, kStartMs);
    ASSERT_NE(nullptr, aboutBox);
    const std::vector<std::string> texts = StaticTexts(aboutBox);
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "Nocturnier Ver 1.01"));
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "1996/05/15"));
    ::PostMessageA(aboutBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone(aboutBox, kStartMs));

    ASSERT_TRUE(::PostMessageA(menuWindow, WM_COMMAND, 512, 0));
    EXPECT_EQ(0u, closeByMenu.WaitForExit(kStartMs).value_or(0xDEAD));
    EXPECT_TRUE(other.program.IsRunning());

    // nocturne -g: a target that closes when asked ends by itself, with its
    // own exit code, well before 10 s; one that ignores the request or no
    // longer answers is ended after 10 s.
    WatchPoliteCloses(polite, 3, setTime.due);
    for (PoliteClose& target : polite) {
        SCOPED_TRACE(target.manner);
        ASSERT_NE(0u, target.endedAt) << "the target was not ended";
        const double after = static_cast<double>(target.endedAt - setTime.due) / kTicksPerSecond;
        const bool byItself = strcmp(target.manner, "closes") == 0;
        EXPECT_EQ(byItself ? 7u : 0u, target.target.WaitForExit(kStartMs).value_or(0xDEAD));
        if (byItself) {
            EXPECT_LT(after, 5.0);
        } else {
            EXPECT_GE(after, 9.5);
            EXPECT_LT(after, 20.0);
        }
        EXPECT_EQ(0u, target.closer.WaitForExit(kStartMs).value_or(0xDEAD));
    }

    const DWORD afterSetTime = 20000;
    // Closed from its menu while the shell's box is up, aubade ends once the
    // box is answered: no box of its own, no assertion, exit code 0.
    auto shellBox = e2e::WaitForMessageBox(launchFails.Id(), kStartMs);
    ASSERT_TRUE(shellBox.has_value());
    ASSERT_TRUE(::PostMessageA(failsWindow, WM_COMMAND, 512, 0));
    EXPECT_TRUE(e2e::WaitForWindowGone(failsWindow, kStartMs));
    ASSERT_TRUE(e2e::PressButton(*shellBox, shellBox->buttons.front().id));
    ASSERT_TRUE(e2e::WaitForWindowGone(shellBox->window, kStartMs));
    EXPECT_FALSE(e2e::WaitForMessageBox(launchFails.Id(), 1500).has_value());
    EXPECT_EQ(0u, launchFails.WaitForExit(kStartMs).value_or(0xDEAD));

    EXPECT_EQ(0u, launchOnce.WaitForExit(afterSetTime).value_or(0xDEAD));
    EXPECT_EQ(0u, closeTwin.WaitForExit(afterSetTime).value_or(0xDEAD));
    EXPECT_EQ(0u, closeWithBlank.WaitForExit(afterSetTime).value_or(0xDEAD));

    // Exactly one of the twins was ended; the other caption's Notepad stays.
    DWORD waited = 0;
    while (twinA.program.IsRunning() && twinB.program.IsRunning() && waited < 5000) {
        e2e::PumpFor(100);
        waited += 100;
    }
    e2e::PumpFor(500);
    EXPECT_EQ(1, twinA.program.IsRunning() + twinB.program.IsRunning());
    EXPECT_TRUE(other.program.IsRunning());

    // Each aubade opened one Notepad; the one with c is still there and,
    // past its pause after firing, has not fired again.
    waited = 0;
    while (OpenedNotepads().size() < 2 && waited < 10000) {
        e2e::PumpFor(100);
        waited += 100;
    }
    e2e::PumpFor(2500);
    const std::vector<HWND> opened = OpenedNotepads();
    EXPECT_EQ(2u, opened.size());
    EXPECT_TRUE(launchDaily.IsRunning());
    ::PostMessageA(dailyWindow, WM_COMMAND, 512, 0);
    EXPECT_EQ(0u, launchDaily.WaitForExit(kStartMs).value_or(0xDEAD));
}

TEST(TimedPrograms, TheTimeDialogRefusesAnEmptiedSecondsFieldAndStaysOpen) {
    e2e::Program aubade;
    // Twelve hours away: nothing fires meanwhile.
    ASSERT_TRUE(aubade.Start(Aubade(), SetTimeIn(12 * 3600).text + " notepad.exe"));
    HWND window = MainWindowOf(aubade, "Aubade");
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(::PostMessageA(window, WM_COMMAND, 10, 0));
    const int kSecondsField = 22;
    HWND dialog = e2e::WaitForDialogWith(aubade.Id(), kSecondsField, kStartMs);
    ASSERT_NE(nullptr, dialog);
    HWND seconds = ::GetDlgItem(dialog, kSecondsField);
    // Another process's edit: SetWindowText would not reach it.
    ASSERT_TRUE(::SendMessageA(seconds, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")));
    ASSERT_TRUE(::PostMessageA(dialog, WM_COMMAND, IDOK, 0));

    auto box = WaitForBoxOwnedBy(dialog, aubade.Id());
    ASSERT_TRUE(box.has_value()) << "OK took the emptied field without a box of the dialog's own";
    EXPECT_EQ("ERROR", box->caption);
    EXPECT_EQ("秒は 0 から 59 までの数字で入力してください", box->text);
    ASSERT_EQ(1u, box->buttons.size());
    ASSERT_TRUE(e2e::PressButton(*box, IDOK));
    ASSERT_TRUE(e2e::WaitForWindowGone(box->window, kStartMs));
    e2e::PumpFor(500);
    EXPECT_TRUE(::IsWindowVisible(dialog)) << "OK closed the dialog";

    ASSERT_TRUE(::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0));
    EXPECT_TRUE(e2e::WaitForWindowGone(dialog, kStartMs));
    ASSERT_TRUE(::PostMessageA(window, WM_COMMAND, 512, 0));
    EXPECT_EQ(0u, aubade.WaitForExit(kStartMs).value_or(0xDEAD));
}

}  // namespace
