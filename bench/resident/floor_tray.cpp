// The least a tray-resident program can cost: a hidden window of its own
// class, one tray icon, and a 200 ms timer that reads the clock. No
// framework, no runtime work beyond what the compiler brings. The resident
// benchmark measures the suite's programs against it.
//
// Given a command-line tail, it first starts that program through the shell
// with the call lofter makes: the least a launcher can cost, since the
// shell's execute machinery stays loaded in the caller.
#include <windows.h>
#include <shellapi.h>

namespace {

const UINT kTrayIconId = 1;
const UINT kTrayMessage = WM_APP + 1;
const UINT_PTR kClockTimer = 1;
const UINT kTickMs = 200;
const char kClassName[] = "ResidentFloor";
// lofter's own texts for no arguments and no working folder.
const char kNoArguments[] = " ";
const char kNoFolder[] = " ";

NOTIFYICONDATAA trayIcon;
// Kept so that the reading has an effect the compiler must keep.
SYSTEMTIME lastReading;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        ::GetLocalTime(&lastReading);
        return 0;
    case WM_DESTROY:
        ::Shell_NotifyIconA(NIM_DELETE, &trayIcon);
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR tail, int) {
    if (tail && *tail) ::ShellExecuteA(nullptr, nullptr, tail, kNoArguments, kNoFolder, SW_SHOWNORMAL);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassA(&windowClass)) return 1;
    HWND window = ::CreateWindowA(kClassName, kClassName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  200, 40, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    trayIcon.cbSize = sizeof trayIcon;
    trayIcon.hWnd = window;
    trayIcon.uID = kTrayIconId;
    trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon.uCallbackMessage = kTrayMessage;
    trayIcon.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    ::lstrcpynA(trayIcon.szTip, kClassName, sizeof trayIcon.szTip);
    ::Shell_NotifyIconA(NIM_ADD, &trayIcon);
    ::SetTimer(window, kClockTimer, kTickMs, nullptr);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
