// A platform seam for tests: records message boxes, beeps, shell calls,
// tray icon calls, file dialogs, cursor shows, process calls and exit
// requests; answers message boxes from a queue and file dialogs with a
// chosen name, serves a settable clock and, when given, a list of monitors. Installing it (construction)
// replaces the seam in use; destruction puts the previous one back.
//
//   RecordingPlatform platform;
//   platform.answers.push_back(IDCANCEL);   // the first box answers Cancel
//   ... code under test ...
//   ASSERT_EQ(1u, platform.boxes.size());
//   EXPECT_EQ("ASSERTION FAILURE", platform.boxes[0].caption);
#ifndef KIVORA_RECORDING_PLATFORM_H
#define KIVORA_RECORDING_PLATFORM_H

#include "wpplatform.h"

#include <string.h>

#include <deque>
#include <string>
#include <vector>

class RecordingPlatform : public WPPlatform {
public:
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;  // "(null)" when none was given
        UINT type;
    };
    struct ShellCall {
        bool extended;  // ShellOpenEx
        HWND owner;
        std::string verb, file, parameters, directory;  // "(null)" for none
        int show;
        ULONG mask;  // ShellOpenEx only
    };

    struct IconCall {
        DWORD message;
        NOTIFYICONDATAA data;
    };
    struct FileCall {
        bool save;
        OPENFILENAMEA request;
        std::string filter;  // the first pair, "text|pattern"
        std::string shownName;  // the file name the dialog opened with
    };

    RecordingPlatform() : previous_(SetPlatform(this)) {}
    ~RecordingPlatform() { SetPlatform(previous_); }
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    // --- What was asked. ---
    std::vector<Box> boxes;
    std::vector<UINT> beeps;
    std::vector<ShellCall> shellCalls;
    // In order: "open <access> <inherit> <id>", "terminate <handle> <code>", "close <handle>".
    std::vector<std::string> processCalls;
    std::vector<int> endRequests;            // EndProcess codes (never ends)
    std::vector<IconCall> iconCalls;
    std::vector<FileCall> fileCalls;
    std::vector<BOOL> cursorShows;
    std::vector<POINT> cursorMoves;          // SetCursorPos calls

    // --- How to answer. ---
    std::deque<int> answers;   // box answers in order; then defaultAnswer
    int defaultAnswer = IDOK;
    HINSTANCE shellOpenResult = reinterpret_cast<HINSTANCE>(42);
    BOOL shellOpenExResult = TRUE;
    HANDLE openProcessResult = reinterpret_cast<HANDLE>(0x1234);
    BOOL terminateResult = TRUE;
    bool processEnded = false;  // what a wait on any process handle finds
    DWORD longestWaitMs = 0;    // of those waits
    DWORD tickCount = 0;
    DWORD tickStep = 0;        // added after each TickCount call
    SYSTEMTIME localTime = {2026, 12, 2, 8, 7, 5, 0, 0};
    std::string timeText = "7:05:00";
    BOOL iconResult = TRUE;
    BOOL mousePresent = TRUE;
    std::string chosenFile;    // empty: the user cancels the file dialog
    BOOL printConfirmed = FALSE;  // the print dialog's answer
    POINT cursor = {0, 0};     // the pointer's place; SetCursorPos moves it
    BOOL cursorResult = TRUE;  // FALSE: the place cannot be read
    struct Monitor {
        RECT rect;
        bool primary;
    };
    std::vector<Monitor> monitors;  // in the system's order; empty: the real ones

    // Called for each box before it is answered (e.g. to inspect state).
    void (*onBox)(const Box& box) = nullptr;
    // Called inside each ShellOpen call, as a program started then would run.
    void (*onShellOpen)() = nullptr;

    int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) override {
        boxes.push_back(Box{owner, Text(text), Text(caption), type});
        if (onBox) onBox(boxes.back());
        if (answers.empty()) return defaultAnswer;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    BOOL Beep(UINT type) override {
        beeps.push_back(type);
        return TRUE;
    }
    HINSTANCE ShellOpen(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show) override {
        shellCalls.push_back(ShellCall{false, owner, Text(verb), Text(file), Text(parameters),
                                       Text(directory), show, 0});
        if (onShellOpen) onShellOpen();
        return shellOpenResult;
    }
    BOOL ShellOpenEx(SHELLEXECUTEINFOA* info) override {
        shellCalls.push_back(ShellCall{true, info->hwnd, Text(info->lpVerb), Text(info->lpFile),
                                       Text(info->lpParameters), Text(info->lpDirectory),
                                       info->nShow, info->fMask});
        return shellOpenExResult;
    }
    HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId) override {
        char call[64];
        wsprintfA(call, "open %lx %d %lu", access, inherit, processId);
        processCalls.push_back(call);
        return openProcessResult;
    }
    BOOL TerminateProcess(HANDLE process, UINT exitCode) override {
        processCalls.push_back("terminate " + Handle(process) + " " + std::to_string(exitCode));
        return terminateResult;
    }
    BOOL CloseHandle(HANDLE handle) override {
        processCalls.push_back("close " + Handle(handle));
        return TRUE;
    }
    DWORD WaitForProcess(HANDLE, DWORD ms) override {
        longestWaitMs = ms > longestWaitMs ? ms : longestWaitMs;
        return processEnded ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }
    static std::string Handle(HANDLE handle) {
        return std::to_string(reinterpret_cast<UINT_PTR>(handle));
    }
    BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* data) override {
        iconCalls.push_back(IconCall{message, *data});
        return iconResult;
    }
    BOOL OpenFileName(OPENFILENAMEA* request) override { return File(false, request); }
    BOOL SaveFileName(OPENFILENAMEA* request) override { return File(true, request); }
    BOOL PrintDialog(PRINTDLGA*) override { return printConfirmed; }
    BOOL MousePresent() override { return mousePresent; }
    int ShowCursor(BOOL show) override {
        cursorShows.push_back(show);
        return 0;
    }
    BOOL CursorPos(POINT* at) override {
        *at = cursor;
        return cursorResult;
    }
    BOOL SetCursorPos(int x, int y) override {
        cursor = POINT{x, y};
        cursorMoves.push_back(cursor);
        return TRUE;
    }
    void ListMonitors(MonitorFound found, void* context) override {
        if (monitors.empty()) return WPPlatform::ListMonitors(found, context);
        for (const Monitor& monitor : monitors) found(monitor.rect, monitor.primary, context);
    }
    void EndProcess(int exitCode) override { endRequests.push_back(exitCode); }
    DWORD TickCount() override {
        DWORD now = tickCount;
        tickCount += tickStep;
        return now;
    }
    void LocalTime(SYSTEMTIME* time) override { *time = localTime; }
    int LocalTimeText(char* text, int size) override {
        if (size <= 0) return 0;
        lstrcpynA(text, timeText.c_str(), size);
        return static_cast<int>(strlen(text)) + 1;
    }

private:
    BOOL File(bool save, OPENFILENAMEA* request) {
        std::string filter;
        if (request->lpstrFilter) {
            filter = request->lpstrFilter;
            filter += "|";
            filter += request->lpstrFilter + strlen(request->lpstrFilter) + 1;
        }
        fileCalls.push_back(FileCall{save, *request, filter, request->lpstrFile ? request->lpstrFile : ""});
        if (chosenFile.empty()) return FALSE;
        lstrcpynA(request->lpstrFile, chosenFile.c_str(), request->nMaxFile);
        return TRUE;
    }

    static std::string Text(const char* text) { return text ? text : "(null)"; }

    WPPlatform* previous_;
};

#endif
