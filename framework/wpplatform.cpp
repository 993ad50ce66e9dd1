#include "wpplatform.h"

#include <stdlib.h>

namespace {

// The real API: the base class's own operations.
class RealPlatform final : public WPPlatform {};

RealPlatform realPlatform;
WPPlatform* current = &realPlatform;

}  // namespace

WPPlatform& Platform() { return *current; }

WPPlatform* SetPlatform(WPPlatform* platform) {
    WPPlatform* previous = current;
    current = platform ? platform : &realPlatform;
    return previous;
}

int WPPlatform::ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

BOOL WPPlatform::Beep(UINT type) { return MessageBeep(type); }

HINSTANCE WPPlatform::ShellOpen(HWND owner, const char* verb, const char* file,
                                const char* parameters, const char* directory, int show) {
    return ShellExecuteA(owner, verb, file, parameters, directory, show);
}

BOOL WPPlatform::ShellOpenEx(SHELLEXECUTEINFOA* info) { return ShellExecuteExA(info); }

BOOL WPPlatform::NotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    return Shell_NotifyIconA(message, data);
}

BOOL WPPlatform::OpenFileName(OPENFILENAMEA* request) { return GetOpenFileNameA(request); }

BOOL WPPlatform::SaveFileName(OPENFILENAMEA* request) { return GetSaveFileNameA(request); }

BOOL WPPlatform::PrintDialog(PRINTDLGA* request) { return PrintDlgA(request); }

BOOL WPPlatform::MousePresent() { return GetSystemMetrics(SM_MOUSEPRESENT); }

int WPPlatform::ShowCursor(BOOL show) { return ::ShowCursor(show); }

BOOL WPPlatform::CursorPos(POINT* at) { return ::GetCursorPos(at); }

BOOL WPPlatform::SetCursorPos(int x, int y) { return ::SetCursorPos(x, y); }

HANDLE WPPlatform::OpenProcess(DWORD access, BOOL inherit, DWORD processId) {
    return ::OpenProcess(access, inherit, processId);
}

BOOL WPPlatform::TerminateProcess(HANDLE process, UINT exitCode) {
    return ::TerminateProcess(process, exitCode);
}

BOOL WPPlatform::CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }

void WPPlatform::EndProcess(int exitCode) { exit(exitCode); }

DWORD WPPlatform::TickCount() { return GetTickCount(); }

void WPPlatform::LocalTime(SYSTEMTIME* time) { GetLocalTime(time); }

int WPPlatform::LocalTimeText(char* text, int size) {
    SYSTEMTIME now;
    LocalTime(&now);
    now.wMilliseconds = 0;
    int written = GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT,
                                 &now, nullptr, text, size);
    if (written == 0 && size > 0) text[0] = '\0';
    return written;
}
