// Helpers of the timed window tests: a virtual clock behind the platform
// seam, starting a window on a command-line tail, and the quit message.
#pragma once

#include <windows.h>

#include <string>

#include "commandlinecopy.h"
#include "recording_platform.h"
#include "wpapp.h"

// A virtual local time that the test moves on.
class VirtualClock : public RecordingPlatform {
public:
    VirtualClock() { SetTime(8, 7, 0, 0, 0); }

    // December 2026, the given day and time.
    void SetTime(int day, int hour, int minute, int second, int ms) {
        localTime = SYSTEMTIME{2026, 12, 0, static_cast<WORD>(day), static_cast<WORD>(hour),
                               static_cast<WORD>(minute), static_cast<WORD>(second),
                               static_cast<WORD>(ms)};
    }
    void Advance(DWORD ms) {
        FILETIME file;
        ::SystemTimeToFileTime(&localTime, &file);
        ULARGE_INTEGER at{{file.dwLowDateTime, file.dwHighDateTime}};
        at.QuadPart += static_cast<ULONGLONG>(ms) * 10000;
        file = FILETIME{at.LowPart, at.HighPart};
        ::FileTimeToSystemTime(&file, &localTime);
    }
    // "h:mm:ss" of the virtual time.
    std::string Text() const {
        char text[32];
        wsprintfA(text, "%d:%02d:%02d", localTime.wHour, localTime.wMinute, localTime.wSecond);
        return text;
    }
};

// Starts a window of class Window as the start function would, on tail.
template <class Window>
Window* StartWindow(const std::string& tail) {
    static std::string kept;
    kept = tail;
    wpApp.hinst = ::GetModuleHandleA(nullptr);
    wpApp.cmdLine = &kept[0];
    timed::CopyCommandLine();
    return new Window;
}

// The quit message's code, taken off the queue; -1 when none was posted.
inline int TakeQuit() {
    MSG message;
    if (!::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return -1;
    return static_cast<int>(message.wParam);
}

// Ends a window made by StartWindow and drops the quit it posts.
template <class Window>
void EndWindow(Window* window) {
    if (window->hwnd) {
        ::DestroyWindow(window->hwnd);
    } else {
        delete window;
    }
    TakeQuit();
}
