#include "wpplatform.h"

#include <stdlib.h>

namespace {

// The real API: the base class's own operations.
class RealPlatform final : public WPPlatform {};

RealPlatform realPlatform;
WPPlatform* current = &realPlatform;

// The common dialogs are loaded when one is first asked for. Imported, they
// came into every program at start with what they load in turn (the common
// controls, the print spooler): about 3.5 MB of private memory under Wine
// for the whole life of a tray program that never shows one.
// Asked for on the window thread only, so a plain variable does: a guarded
// local static would link the runtime's exception machinery for its lock.
HMODULE commonDialogs = nullptr;

FARPROC CommonDialogFunction(const char* name) {
    if (!commonDialogs) commonDialogs = LoadLibraryA("comdlg32.dll");
    return commonDialogs ? GetProcAddress(commonDialogs, name) : nullptr;
}

// Named by type only, so that nothing refers to the import itself.
template <class Function>
Function* CommonDialog(const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(CommonDialogFunction(name)));
}

struct MonitorVisit {
    WPPlatform::MonitorFound found;
    void* context;
};

BOOL CALLBACK VisitMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    const auto* visit = reinterpret_cast<const MonitorVisit*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        visit->found(info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0, visit->context);
    return TRUE;
}

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

BOOL WPPlatform::OpenFileName(OPENFILENAMEA* request) {
    auto* open = CommonDialog<decltype(GetOpenFileNameA)>("GetOpenFileNameA");
    return open ? open(request) : FALSE;
}

BOOL WPPlatform::SaveFileName(OPENFILENAMEA* request) {
    auto* save = CommonDialog<decltype(GetSaveFileNameA)>("GetSaveFileNameA");
    return save ? save(request) : FALSE;
}

BOOL WPPlatform::PrintDialog(PRINTDLGA* request) {
    auto* print = CommonDialog<decltype(PrintDlgA)>("PrintDlgA");
    return print ? print(request) : FALSE;
}

BOOL WPPlatform::MousePresent() { return GetSystemMetrics(SM_MOUSEPRESENT); }

int WPPlatform::ShowCursor(BOOL show) { return ::ShowCursor(show); }

BOOL WPPlatform::CursorPos(POINT* at) { return ::GetCursorPos(at); }

BOOL WPPlatform::SetCursorPos(int x, int y) { return ::SetCursorPos(x, y); }

void WPPlatform::ListMonitors(MonitorFound found, void* context) {
    MonitorVisit visit = {found, context};
    EnumDisplayMonitors(nullptr, nullptr, VisitMonitor, reinterpret_cast<LPARAM>(&visit));
}

HANDLE WPPlatform::OpenProcess(DWORD access, BOOL inherit, DWORD processId) {
    return ::OpenProcess(access, inherit, processId);
}

BOOL WPPlatform::TerminateProcess(HANDLE process, UINT exitCode) {
    return ::TerminateProcess(process, exitCode);
}

BOOL WPPlatform::CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }

DWORD WPPlatform::WaitForProcess(HANDLE process, DWORD timeoutMs) {
    return ::WaitForSingleObject(process, timeoutMs);
}

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
