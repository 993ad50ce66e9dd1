// nocturne's action at the set time.
#include "nocturnewindow.h"

#include <windows.h>

#include "wpplatform.h"

namespace nocturne {

// STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0xFFF, as the first systems knew it.
const DWORD kProcessAllAccess = 0x1F0FFF;
const UINT kEndedExitCode = 0;

namespace {

// A process handle from the seam, closed through the seam on every path.
class ProcessHandle {
public:
    explicit ProcessHandle(DWORD processId)
        : handle_(Platform().OpenProcess(kProcessAllAccess, FALSE, processId)) {}
    ~ProcessHandle() { Platform().CloseHandle(handle_); }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

void TimedWindow::Fire() {
    // The whole title must match; no class is named.
    HWND target = ::FindWindowA(nullptr, caption);
    DWORD processId = 0;
    // A caption naming nocturne's own window ends it the way a firing does:
    // ending its own process would leave its tray icon behind.
    if (target && ::GetWindowThreadProcessId(target, &processId) != 0 &&
        processId != ::GetCurrentProcessId()) {
        // Nothing is reported: a process that cannot be opened or ended
        // stays, and the program ends as usual.
        ProcessHandle process(processId);
        Platform().TerminateProcess(process.Get(), kEndedExitCode);
    }
    EndAfterFiring();
}

}  // namespace nocturne
