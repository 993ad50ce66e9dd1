// aubade and nocturne driven from outside on the real clock. The programs
// that fire share one set time a few seconds ahead and run at once, so the
// whole file waits for the clock only once.
#include "harness.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const DWORD kStartMs = 10000;

const char kLaunchUsage[] =
    "使用方法\n"
    "時:分[:秒] 実行ファイル名,[コマンドラインオプション],[実行ディレクトリー] [-OPTION]\n"
    "コマンドラインオプション,実行ディレクトリー を省略するときはスペースを入れること\n"
    "オプションには以下のものが指定可能\n"
    "h:タスクトレイにアイコンを表示しない\n"
    "c:指定時間後にプログラムを実行した後も常駐し続ける\n"
    "オプションは - の次に続けて指定すること（例 -hc）";
const char kCloseUsage[] = "使用方法\n時:分[:秒] 終了させるプログラムのキャプション";

std::string Aubade() { return e2e::BesideTests("aubade.exe"); }
std::string Nocturne() { return e2e::BesideTests("nocturne.exe"); }

std::string Notepad() {
    char folder[MAX_PATH];
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\notepad.exe";
}

// The clock text the programs compare with, secondsAhead from now: the same
// formatting call on the same clock.
std::string ClockTextIn(int secondsAhead) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    FILETIME file;
    ::SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER at{{file.dwLowDateTime, file.dwHighDateTime}};
    at.QuadPart += static_cast<ULONGLONG>(secondsAhead) * 10000000;
    file = FILETIME{at.LowPart, at.HighPart};
    ::FileTimeToSystemTime(&file, &now);
    now.wMilliseconds = 0;
    char text[256];
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT, &now, nullptr,
                     text, sizeof text);
    return text;
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

TEST(TimedPrograms, RefusedCommandLinesShowTheirUsageByteForByteAndEndWithZero) {
    struct Row {
        const char* fault;
        std::string exe;
        std::string tail;
        const char* usage;
    };
    const Row rows[] = {
        {"aubade's usage for a bad time", Aubade(), "25:00 notepad.exe", kLaunchUsage},
        {"aubade acted on a tail cut to its copy", Aubade(),
         "7:30 notepad.exe," + std::string(300, 'a'), kLaunchUsage},
        {"nocturne's usage for an unknown option", Nocturne(), "23:00 Title,-c", kCloseUsage},
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
        windows.className = i < 2 ? "Aubade" : "Nocturne";
        EXPECT_TRUE(e2e::FindWindows(windows).empty());
        ASSERT_TRUE(e2e::PressButton(*box, IDOK));
        EXPECT_EQ(0u, programs[i]->WaitForExit(kStartMs).value_or(0xDEAD));
    }
}

TEST(TimedPrograms, AtTheSetTimeTheyLaunchAndEndWhatTheCommandLineNames) {
    // nocturne's targets: two Notepads with one caption, and one more.
    Target twinA, twinB, other;
    ASSERT_TRUE(twinA.Open("kivora-e2e-close.txt"));
    ASSERT_TRUE(twinB.Open("kivora-e2e-close.txt"));
    ASSERT_TRUE(other.Open("kivora-e2e-keep.txt"));
    ASSERT_EQ(twinA.caption, twinB.caption);
    const std::set<HWND> notepadsBefore = NotepadWindows();

    const std::string at = ClockTextIn(5);
    e2e::Program launchOnce, launchDaily, closeTwin, closeWithBlank, closeByMenu;
    ASSERT_TRUE(launchOnce.Start(Aubade(), at + " notepad.exe"));
    ASSERT_TRUE(launchDaily.Start(Aubade(), at + " notepad.exe, ,C:\\windows,-c"));
    ASSERT_TRUE(closeTwin.Start(Nocturne(), at + " " + twinA.caption));
    // Two blanks: the caption starts with a blank and names no window.
    ASSERT_TRUE(closeWithBlank.Start(Nocturne(), at + "  " + other.caption));
    // Closed from its menu before the set time: ends without firing.
    ASSERT_TRUE(closeByMenu.Start(Nocturne(), at + " " + other.caption));
    HWND menuWindow = MainWindowOf(closeByMenu, "Nocturne");
    ASSERT_NE(nullptr, menuWindow);
    ASSERT_TRUE(::PostMessageA(menuWindow, WM_COMMAND, 512, 0));
    EXPECT_EQ(0u, closeByMenu.WaitForExit(kStartMs).value_or(0xDEAD));
    EXPECT_TRUE(other.program.IsRunning());

    const DWORD afterSetTime = 15000;
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
    std::vector<HWND> opened;
    waited = 0;
    do {
        e2e::PumpFor(100);
        waited += 100;
        opened.clear();
        for (HWND window : NotepadWindows()) {
            if (!notepadsBefore.count(window)) opened.push_back(window);
        }
    } while (opened.size() < 2 && waited < 10000);
    e2e::PumpFor(2500);
    opened.clear();
    for (HWND window : NotepadWindows()) {
        if (!notepadsBefore.count(window)) opened.push_back(window);
    }
    EXPECT_EQ(2u, opened.size());
    EXPECT_TRUE(launchDaily.IsRunning());
    HWND dailyWindow = MainWindowOf(launchDaily, "Aubade");
    ASSERT_NE(nullptr, dailyWindow);
    ::PostMessageA(dailyWindow, WM_COMMAND, 512, 0);
    EXPECT_EQ(0u, launchDaily.WaitForExit(kStartMs).value_or(0xDEAD));
    for (HWND window : opened) EndProcessOf(window);
}

}  // namespace
