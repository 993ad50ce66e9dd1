// A small program that exercises everything the end-to-end harness reads:
// a top-most window at a known place, its command-line tail stored in the
// registry, a message box opened by the tray callback, a placement command
// and an exit code chosen by the button the user presses.
#include <windows.h>

#include <stdio.h>

#include "wpcmdtail.h"

namespace {

const UINT kTrayCallback = 1010;
const int kCmdMoveAndRelease = 100;
const char kKeyPath[] = "Software\\Zorva\\KivoraSample";

char tail[512];

void AskAndQuit(HWND window) {
    char text[600];
    snprintf(text, sizeof text, "コマンド行: [%s]", tail);
    int answer = MessageBoxA(window, text, "サンプル", MB_YESNO | MB_ICONINFORMATION);
    PostQuitMessage(answer == IDYES ? 3 : 4);
}

LRESULT CALLBACK SampleProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kTrayCallback:
        if (lParam == WM_LBUTTONDOWN) AskAndQuit(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCmdMoveAndRelease)
            SetWindowPos(window, HWND_NOTOPMOST, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    lstrcpynA(tail, CommandLineTail(GetCommandLineA()), sizeof tail);

    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, kKeyPath, &key) == ERROR_SUCCESS) {
        RegSetValueA(key, nullptr, REG_SZ, tail, lstrlenA(tail));
        RegCloseKey(key);
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = SampleProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "KivoraSample";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "KivoraSample", "サンプル", WS_OVERLAPPEDWINDOW,
                                  40, 50, 320, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
