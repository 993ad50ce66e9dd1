// volley's main window and rows built from real response files, with the
// recording platform standing in for boxes, beeps, the shell and the clock.
#include "batchwindow.h"
#include "entryrow.h"
#include "nested_close.h"
#include "recording_platform.h"
#include "shelllaunch.h"
#include "wpapp.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <set>
#include <string>
#include <vector>

namespace {

// The shell fails for the files in failing; every record is kept whole.
class VolleyPlatform : public RecordingPlatform {
public:
    std::set<std::string> failing;
    std::vector<SHELLEXECUTEINFOA> records;
    std::vector<DWORD> launchTimes;  // real ticks
    bool realClock = false;

    BOOL ShellOpenEx(SHELLEXECUTEINFOA* info) override {
        records.push_back(*info);
        launchTimes.push_back(GetTickCount());
        RecordingPlatform::ShellOpenEx(info);
        if (closeInLaunch) CloseAndPump(FindWindowA("Volleey", nullptr));
        return failing.count(info->lpFile) ? FALSE : TRUE;
    }
    // The shell's call may run a loop (a DDE conversation, a security
    // prompt) in which the user, or taskkill, closes the window.
    bool closeInLaunch = false;
    static void CloseAndPump(HWND window) {
        CloseInNestedLoop(window);
        closed = true;
    }
    static bool closed;
    DWORD TickCount() override { return realClock ? GetTickCount() : RecordingPlatform::TickCount(); }
};

VolleyPlatform* platform;
bool VolleyPlatform::closed = false;

// The fake clock moves by exactly what a wait pauses.
void AdvanceClock(uint32_t ms) { platform->tickCount += ms; }

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int FontHeight(HWND window) {
    HDC dc = GetDC(window);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

// Pixels of a row's client area, as far as its window shows it, that differ
// from its label drawn as it should be on the row's background: one line
// from one line height (band) in, centred vertically, cut at the right edge
// without an ellipsis.
int LabelDifferences(HWND row, const char* label, int band) {
    RECT client, visible;
    GetClientRect(row, &client);
    HDC shown = GetDC(row);
    GetClipBox(shown, &visible);
    HDC expected = CreateCompatibleDC(shown);
    HBITMAP bitmap = CreateCompatibleBitmap(shown, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(expected, bitmap);
    FillRect(expected, &client, GetSysColorBrush(COLOR_WINDOW));
    RECT text = {band, 0, client.right, client.bottom};
    DrawTextA(expected, label, -1, &text, DT_SINGLELINE | DT_VCENTER);
    int differences = 0;
    for (int y = visible.top; y < visible.bottom; ++y)
        for (int x = visible.left; x < visible.right; ++x)
            differences += GetPixel(shown, x, y) != GetPixel(expected, x, y);
    SelectObject(expected, previous);
    DeleteObject(bitmap);
    DeleteDC(expected);
    ReleaseDC(row, shown);
    return differences;
}

// Removes a quit message from this thread's queue; its code, or -1 if none.
int TakeQuit() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(message.wParam) : -1;
}

// Runs this thread's messages for ms; returns the first quit code seen (-1: none).
int PumpFor(DWORD ms) {
    int quit = -1;
    const DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (quit < 0) quit = static_cast<int>(message.wParam);
                continue;
            }
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return quit;
}

class BatchWindowTest : public ::testing::Test {
public:
    void SetUp() override {
        wpApp.hinst = GetModuleHandleA(nullptr);
        platform = &recorder;
        ConnectEntriesToPlatform();
        SleepEntry::pause = AdvanceClock;
    }
    void TearDown() override {
        if (window && IsWindow(hwnd)) window->Destroy();
        TakeQuit();
        for (const std::string& file : files) remove(file.c_str());
        RemoveDirectoryA("vt_folder");
    }
    // Writes the response file (unless content is null) and builds the window.
    BatchWindow* Open(const char* fileArg, const char* content) {
        if (content) {
            FILE* f = fopen(fileArg, "wb");
            fputs(content, f);
            fclose(f);
            files.push_back(fileArg);
        }
        window = new BatchWindow(fileArg);
        hwnd = window->hwnd;
        return window;
    }
    HWND Row(int index) const { return GetDlgItem(hwnd, index); }

    VolleyPlatform recorder;
    BatchWindow* window = nullptr;
    HWND hwnd = nullptr;
    std::vector<std::string> files;
};

TEST_F(BatchWindowTest, RowsAndWindowFollowTheFontsHeight) {
    Open("vt_list.rsp", "a.exe,readme.txt\n\n#time,1500\nc.exe, ,C:\\work,1\n");
    const int h = FontHeight(hwnd);
    ASSERT_GT(h, 0);
    char text[64];
    GetClassNameA(hwnd, text, sizeof text);
    EXPECT_STREQ("Volleey", text);
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ("Volleey-vt_list.rsp", text);
    EXPECT_FALSE(IsWindowVisible(hwnd));  // the start function shows it
    EXPECT_EQ(h, window->lineHeight);

    const char* labels[] = {"a.exe-readme.txt", "Sleep 1500 ms", "c.exe"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        HWND row = Row(i);
        ASSERT_NE(nullptr, row);
        GetClassNameA(row, text, sizeof text);
        EXPECT_STREQ(" ", text);
        EXPECT_TRUE(GetWindowLongA(row, GWL_STYLE) & WS_BORDER);
        EXPECT_EQ(0, GetClassLongPtrA(row, GCLP_HCURSOR));
        RECT r = ClientRectOf(row);
        EXPECT_EQ(0, r.left);
        EXPECT_EQ(i * h, r.top);
        EXPECT_EQ(15 * h, r.right);
        EXPECT_EQ((i + 1) * h, r.bottom);
        EXPECT_STREQ(labels[i], static_cast<EntryRow*>(WPWin::GetWin(row))->label);
    }
    RECT outer;
    GetWindowRect(hwnd, &outer);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(15 * h + h / 3, outer.right - outer.left);
    EXPECT_EQ(origin.y + 3 * h + h / 4, outer.bottom);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(recorder.boxes.empty());
    // Fitting keeps the window's left and top.
    SetWindowPos(hwnd, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    window->FitToEntries();
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(123, outer.left);
    EXPECT_EQ(45, outer.top);
}

TEST_F(BatchWindowTest, AnEmptyListKeepsTheDefaultSizeAndIsNotTopMost) {
    Open("vt_empty.rsp", "\n,,\n");
    // A window of the same class and style at the system's default size.
    HWND plain = CreateWindowExA(0, "Volleey", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, wpApp.hinst, nullptr);
    RECT fitted, expected;
    GetWindowRect(hwnd, &fitted);
    GetWindowRect(plain, &expected);
    DestroyWindow(plain);
    EXPECT_EQ(expected.right - expected.left, fitted.right - fitted.left);
    EXPECT_EQ(expected.bottom - expected.top, fitted.bottom - fitted.top);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, PumpFor(700));  // the run of nothing ends the program
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(BatchWindowTest, ConstructionThatEndsAtOnceShowsOneBoxAndQuits) {
    CreateDirectoryA("vt_folder", nullptr);
    static size_t beepsAtBox;
    recorder.onBox = [](const RecordingPlatform::Box&) { beepsAtBox = platform->beeps.size(); };
    struct Case {
        const char* fault;
        const char* fileArg;
        const char* content;  // null: no such file
        const char* text;
        const char* caption;
        size_t beeps;
    } cases[] = {
        {"a missing file is read as empty", "vt_missing.rsp", nullptr, "vt_missing.rsp not found", "error", 1},
        {"an empty name takes the default", "", nullptr, " not found", "error", 1},
        {"a folder is read as a file", "vt_folder", nullptr, "vt_folder not found", "error", 1},
        {"-v reads a file after all", "-v", "a.exe\n", "Volley Ver1.10\n1997/08/13\n(C) 1997 Zorva", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        recorder.boxes.clear();
        recorder.beeps.clear();
        Open(c.fileArg, c.content);
        ASSERT_EQ(1u, recorder.boxes.size());
        EXPECT_EQ(c.text, recorder.boxes[0].text);
        EXPECT_EQ(c.caption, recorder.boxes[0].caption);
        EXPECT_EQ(0u, recorder.boxes[0].type);
        EXPECT_EQ(hwnd, recorder.boxes[0].owner);
        EXPECT_EQ(std::vector<UINT>(c.beeps, 0), recorder.beeps);
        EXPECT_EQ(c.beeps, beepsAtBox);  // the beep comes before the box
        EXPECT_EQ(0, window->entries.Count());
        EXPECT_EQ(0, TakeQuit());
        window->Destroy();
        TakeQuit();
    }
}

TEST_F(BatchWindowTest, TheTimerRunsTheListOnceAndReportsTheFailedIndex) {
    recorder.failing = {"bad.exe"};
    static BatchWindowTest* self;
    self = this;
    recorder.onBox = [](const RecordingPlatform::Box&) {
        // The beep comes first, and the rows stay where the run left them,
        // with their text, even when the window repaints itself under the box.
        EXPECT_EQ(1u, self->recorder.beeps.size());
        EXPECT_EQ(0, ClientRectOf(self->Row(3)).top);
        RedrawWindow(self->hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
        EXPECT_EQ(0, LabelDifferences(self->Row(3), "bad.exe", self->window->lineHeight));
        // A box left open longer than the timer's period runs nothing again.
        if (self->recorder.boxes.size() == 1) PumpFor(600);
    };
    Open("vt_run.rsp", "a.exe\nc.exe, ,C:\\work,2\n#time,1000\nbad.exe\nd.exe\n");
    const DWORD armed = GetTickCount();
    window->Show(SW_SHOWNOACTIVATE);
    const int h = window->lineHeight;
    EXPECT_EQ(0, PumpFor(1300));  // the run, then a timer period more

    ASSERT_EQ(3u, recorder.records.size());  // d.exe is not run, nothing twice
    EXPECT_GE(recorder.launchTimes[0] - armed, 490u);
    const SHELLEXECUTEINFOA& a = recorder.records[0];
    EXPECT_EQ(sizeof(SHELLEXECUTEINFOA), a.cbSize);
    EXPECT_EQ(0u, a.fMask);
    EXPECT_EQ(nullptr, a.hwnd);
    EXPECT_STREQ("open", a.lpVerb);
    EXPECT_STREQ("a.exe", a.lpFile);
    EXPECT_STREQ("", a.lpParameters);
    EXPECT_STREQ("", a.lpDirectory);
    EXPECT_EQ(SW_SHOWNORMAL, a.nShow);
    EXPECT_EQ(wpApp.hinst, a.hInstApp);
    EXPECT_EQ(nullptr, a.lpIDList);
    EXPECT_EQ(nullptr, a.lpClass);
    EXPECT_EQ(nullptr, a.hkeyClass);
    EXPECT_EQ(0u, a.dwHotKey);
    EXPECT_EQ(nullptr, a.hProcess);
    const SHELLEXECUTEINFOA& c = recorder.records[1];
    EXPECT_STREQ(" ", c.lpParameters);
    EXPECT_STREQ("C:\\work", c.lpDirectory);
    EXPECT_EQ(SW_SHOWMAXIMIZED, c.nShow);
    EXPECT_EQ(1000u, recorder.tickCount);  // the wait went by the platform's clock

    ASSERT_EQ(1u, recorder.boxes.size());
    EXPECT_EQ("Line No 3", recorder.boxes[0].text);
    EXPECT_EQ("error", recorder.boxes[0].caption);
    EXPECT_EQ(0u, recorder.boxes[0].type);
    EXPECT_EQ(hwnd, recorder.boxes[0].owner);
    // Every done entry moved itself and the later rows up one line.
    const int tops[] = {-h, -h, -h, 0, h};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tops[i], ClientRectOf(Row(i)).top) << i;
}

TEST_F(BatchWindowTest, ATimeLineWithoutValueIsReportedBeforeTheRun) {
    static HWND rowAtBox;
    recorder.onBox = [](const RecordingPlatform::Box& box) { rowAtBox = GetDlgItem(box.owner, 0); };
    Open("vt_stop.rsp", "a.exe\n#time\nb.exe\n");
    ASSERT_EQ(1u, recorder.boxes.size());
    EXPECT_EQ("error", recorder.boxes[0].caption);
    EXPECT_EQ(hwnd, recorder.boxes[0].owner);
    EXPECT_EQ(nullptr, rowAtBox);  // shown before the rows were made
    EXPECT_EQ(1, window->entries.Count());
    EXPECT_EQ(0, PumpFor(700));
    ASSERT_EQ(1u, recorder.records.size());
    EXPECT_STREQ("a.exe", recorder.records[0].lpFile);
}

// Rows moved or painted once the window was closed: they are deleted then.
int rowsTouchedAfterClose = 0;
void MoveUnlessClosed(EntryRow* row, const EntryRect& rect) {
    if (VolleyPlatform::closed) ++rowsTouchedAfterClose; else MoveEntryRow(row, rect);
}
void PaintUnlessClosed(EntryRow* row) {
    if (VolleyPlatform::closed) ++rowsTouchedAfterClose; else PaintEntryRow(row);
}
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }

// The program's start and run, with the window closed from a loop that runs
// under its constructor or its run (taskkill without /f posts the close).
TEST_F(BatchWindowTest, AClosedWindowEndsStartUpOrTheRunAndTheProgram) {
    const struct {
        const char* fault;
        const char* content;
        bool closeInBox;    // under the #time box, else in the first launch
        bool launchFails;
        size_t launches;
    } rows[] = {
        {"closed under the #time box: rows and run made for a gone window", "a.exe\n#time\n", true, false, 0},
        {"closed in a launch that succeeds: the run went on with deleted rows", "a.exe\nb.exe\n", false, false, 1},
        {"closed in a launch that fails: its box shown for a gone window", "a.exe\nb.exe\n", false, true, 1},
    };
    const int cmdShow = wpApp.cmdShow;
    wpApp.cmdShow = SW_SHOWNOACTIVATE;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        recorder.records.clear();
        recorder.boxes.clear();
        recorder.failing = {row.launchFails ? "a.exe" : ""};
        recorder.closeInLaunch = !row.closeInBox;
        recorder.onBox = nullptr;
        if (row.closeInBox)
            recorder.onBox = [](const RecordingPlatform::Box& box) { VolleyPlatform::CloseAndPump(box.owner); };
        VolleyPlatform::closed = false;
        rowsTouchedAfterClose = 0;
        EntryList::moveRow = MoveUnlessClosed;
        EntryList::paintRow = PaintUnlessClosed;
        wpApp.startingUp = true;
        Open("vt_closed.rsp", row.content);
        EXPECT_EQ(row.closeInBox, window->hwnd == nullptr);
        wpApp.mainWin = window;
        const UINT_PTR backstop = SetTimer(nullptr, 0, 5000, GiveUp);
        wpApp.Run();
        KillTimer(nullptr, backstop);
        EXPECT_EQ(0, wpApp.exitCode);
        EXPECT_EQ(nullptr, wpApp.mainWin) << "the window was not deleted";
        EXPECT_EQ(row.launches, recorder.records.size());
        EXPECT_EQ(0, rowsTouchedAfterClose);
        EXPECT_EQ(row.closeInBox ? 1u : 0u, recorder.boxes.size());
    }
    wpApp.cmdShow = cmdShow;
}

TEST_F(BatchWindowTest, AWaitSleepsWithoutHandlingMessagesOrRepainting) {
    Open("vt_wait.rsp", "a.exe\n");
    window->Show(SW_SHOWNOACTIVATE);
    PumpFor(100);
    recorder.realClock = true;
    ConnectEntriesToPlatform();  // the real pause
    const UINT kProbe = WM_APP + 7;
    PostMessageA(hwnd, kProbe, 0, 0);
    InvalidateRect(Row(0), nullptr, FALSE);

    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelBefore, &userBefore);
    const DWORD start = GetTickCount();
    SleepEntry wait(500);
    EXPECT_EQ(1, wait.Execute());
    const DWORD elapsed = GetTickCount() - start;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelAfter, &userAfter);

    auto ms = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000; };
    const ULONGLONG cpu = ms(kernelAfter) - ms(kernelBefore) + ms(userAfter) - ms(userBefore);
    EXPECT_GE(elapsed, 500u);
    EXPECT_LT(cpu, 50u) << "a busy wait uses the processor for the whole " << elapsed << " ms";
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, hwnd, kProbe, kProbe, PM_NOREMOVE));
    EXPECT_TRUE(GetUpdateRect(Row(0), nullptr, FALSE));
}

TEST_F(BatchWindowTest, TheLabelIsCutWithoutEllipsisCentredAndOneLineHeightIn) {
    const char label[] = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW.exe";
    Open("vt_paint.rsp", (std::string(label) + "\nWWWW\n").c_str());
    window->Show(SW_SHOWNOACTIVATE);
    PumpFor(200);
    EXPECT_EQ(0, LabelDifferences(Row(0), label, window->lineHeight));
}

}  // namespace
