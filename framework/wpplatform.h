// The seam between the suite and the few Win32 services that a test must be
// able to watch or answer without a person at the screen: message boxes and
// beeps, the shell's execute calls and tray icon, the open, save and print
// dialogs, the mouse pointer and its place, the display monitors, ending
// another process and waiting for its end, ending this process, and the
// clock. Production code calls Platform(); by default that is the real API.
// A test installs its own WPPlatform with SetPlatform.
#ifndef KIVORA_WPPLATFORM_H
#define KIVORA_WPPLATFORM_H

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

class WPPlatform {
public:
    constexpr WPPlatform() = default;

    // MessageBoxA.
    virtual int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
    // MessageBeep.
    virtual BOOL Beep(UINT type);

    // ShellExecuteA (above 32 is success) and ShellExecuteExA (nonzero).
    virtual HINSTANCE ShellOpen(HWND owner, const char* verb, const char* file,
                                const char* parameters, const char* directory, int show);
    virtual BOOL ShellOpenEx(SHELLEXECUTEINFOA* info);
    // Shell_NotifyIconA.
    virtual BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* data);

    // GetOpenFileNameA, GetSaveFileNameA, PrintDlgA: modal until the user
    // answers.
    virtual BOOL OpenFileName(OPENFILENAMEA* request);
    virtual BOOL SaveFileName(OPENFILENAMEA* request);
    virtual BOOL PrintDialog(PRINTDLGA* request);

    // GetSystemMetrics(SM_MOUSEPRESENT), ShowCursor, GetCursorPos and
    // SetCursorPos. (Under Wine the pointer's place follows the display's
    // events and lags behind a move, so tests answer it themselves.)
    virtual BOOL MousePresent();
    virtual int ShowCursor(BOOL show);
    virtual BOOL CursorPos(POINT* at);
    virtual BOOL SetCursorPos(int x, int y);

    // EnumDisplayMonitors with GetMonitorInfoA: found is called once per
    // display monitor with its rectangle on the virtual screen and whether it
    // is the primary one. (Wine on one display has one monitor, so tests
    // answer a list of their own.)
    typedef void (*MonitorFound)(const RECT& monitor, bool primary, void* context);
    virtual void ListMonitors(MonitorFound found, void* context);

    // OpenProcess, TerminateProcess, CloseHandle.
    virtual HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId);
    virtual BOOL TerminateProcess(HANDLE process, UINT exitCode);
    virtual BOOL CloseHandle(HANDLE handle);
    // WaitForSingleObject on a process handle: WAIT_OBJECT_0 once it ended.
    virtual DWORD WaitForProcess(HANDLE process, DWORD timeoutMs);

    // Ends this process through the normal exit path (static destructors and
    // with them the object report still run). The real one does not return.
    virtual void EndProcess(int exitCode);

    // GetTickCount: milliseconds since start, wrapping at 2^32.
    virtual DWORD TickCount();
    // GetLocalTime.
    virtual void LocalTime(SYSTEMTIME* time);
    // The current local time in the user's format, 24-hour, no AM/PM marker:
    // GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOTIMEMARKER |
    // TIME_FORCE24HOURFORMAT, now with milliseconds 0, no format). Returns
    // what GetTimeFormatA returns (characters written with the NUL, 0 on
    // failure, when text is then empty).
    virtual int LocalTimeText(char* text, int size);

protected:
    // Not virtual on purpose: the real seam is a constant-initialised static
    // that must stay usable by exit-time destructors, so it has no
    // destructor to run. Seams are never deleted through this base.
    ~WPPlatform() = default;
};

// The seam in use.
WPPlatform& Platform();

// Installs platform (nullptr: the real API) and returns the one it replaces.
WPPlatform* SetPlatform(WPPlatform* platform);

#endif
