// A program that is slow to show its window, as the ones lofter's c=NEW is
// for: started as "openslow SPLASH MAIN [tool]", it shows a splash for
// SPLASH ms, and MAIN ms after that its main window (never when MAIN is
// negative), then a hidden window, which lies above the main window in the
// z-order; with "tool", a top-most tool window from the start. Nothing it
// shows takes the activation, so the window in the foreground stays there.
// It ends when one of its windows is closed, or after two minutes.
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include <initializer_list>

#include "openslow.h"
#include "wpcmdtail.h"

namespace {

using namespace openslow;

enum Timer : UINT_PTR { kSplashOver = 1, kMainDue = 2, kGiveUp = 3 };
const UINT kGiveUpMs = 120000;

HINSTANCE instance;
HWND timerWindow, splash;
int mainDelay;

HWND Show(const char* className, DWORD exStyle, DWORD style, int x, int y, int w, int h) {
    HWND window = CreateWindowExA(exStyle, className, className, style, x, y, w, h, nullptr, nullptr,
                                  instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        KillTimer(timerWindow, wParam);
        if (wParam == kSplashOver) {
            if (splash) DestroyWindow(splash);
            splash = nullptr;
            if (mainDelay >= 0) SetTimer(timerWindow, kMainDue, mainDelay, nullptr);
        } else if (wParam == kMainDue) {
            Show(kMainClass, 0, WS_OVERLAPPEDWINDOW, kMainX, kMainY, kMainW, kMainH);
            CreateWindowExA(0, kHiddenClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                            instance, nullptr);
        } else {
            PostQuitMessage(0);
        }
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE self, HINSTANCE, LPSTR, int) {
    instance = self;
    char tail[128];
    lstrcpynA(tail, CommandLineTail(GetCommandLineA()), sizeof tail);
    char* rest = tail;
    const int splashMs = static_cast<int>(strtol(rest, &rest, 10));
    mainDelay = static_cast<int>(strtol(rest, &rest, 10));
    const bool tool = strstr(rest, "tool") != nullptr;

    for (const char* name : {kHiddenClass, "OpenSlowSplash", kToolClass, kMainClass}) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
    // Takes the timers; never shown.
    timerWindow = CreateWindowExA(0, kHiddenClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr, instance, nullptr);
    if (tool) Show(kToolClass, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP | WS_CAPTION, 700, 100, 150, 100);
    if (splashMs > 0) splash = Show("OpenSlowSplash", 0, WS_POPUP | WS_BORDER, 350, 250, 200, 120);
    SetTimer(timerWindow, kSplashOver, splashMs > 0 ? splashMs : 1, nullptr);
    SetTimer(timerWindow, kGiveUp, kGiveUpMs, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
