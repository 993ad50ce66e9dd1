// What nocturne closes in the tests of its option g: a window with the
// caption given after the manner, one word at the start of the tail:
//   closes   ends on WM_CLOSE with an exit code of its own (7)
//   ignores  stays on WM_CLOSE
//   hangs    its window thread stops answering once the window is up
#include <windows.h>

#include <string.h>

#include "wpcmdtail.h"

namespace {

const UINT kClosedExitCode = 7;

bool closesOnRequest = false;

LRESULT CALLBACK TargetProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        if (closesOnRequest) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(kClosedExitCode);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char* tail = CommandLineTail(GetCommandLineA());
    char* caption = strchr(tail, ' ');
    if (!caption) return 1;
    *caption++ = '\0';
    closesOnRequest = strcmp(tail, "closes") == 0;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "KivoraCloseTarget";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "KivoraCloseTarget", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  10, 10, 300, 120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    if (strcmp(tail, "hangs") == 0) Sleep(INFINITE);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}
