// nocturne's action at the set time.
#include "nocturnewindow.h"

#include <windows.h>

#include "wpplatform.h"

namespace nocturne {

// STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0xFFF, as the first systems knew it.
const DWORD kProcessAllAccess = 0x1F0FFF;
const UINT kEndedExitCode = 0;

void ProcessHandle::Open(DWORD processId) {
    Close();
    handle_ = Platform().OpenProcess(kProcessAllAccess, FALSE, processId);
    open_ = true;
}

void ProcessHandle::Close() {
    if (!open_) return;
    Platform().CloseHandle(handle_);
    handle_ = nullptr;
    open_ = false;
}

int TimedWindow::OnTimer(UINT id) {
    if (id != kCloseWaitTimer) return TimedWindowBase::OnTimer(id);
    AwaitTargetEnd();
    return 1;
}

void TimedWindow::Fire() {
    // Already asked to close: the wait decides (a time changed meanwhile
    // must not start it again).
    if (waiting_) return;
    // The whole title must match; no class is named.
    HWND window = ::FindWindowA(nullptr, caption);
    DWORD processId = 0;
    // A caption naming nocturne's own window ends it the way a firing does:
    // ending its own process would leave its tray icon behind.
    if (!window || ::GetWindowThreadProcessId(window, &processId) == 0 ||
        processId == ::GetCurrentProcessId()) {
        EndAfterFiring();
        return;
    }
    // Opened first: while the handle is held, the id names this process.
    target_.Open(processId);
    if (politeClose) {
        // Posted: a window that no longer answers cannot hold nocturne up.
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        // Without a handle there is nothing to wait on or to end.
        if (target_.Get()) {
            waiting_ = true;
            waitStart_ = Platform().TickCount();
            SetTimer(kCloseWaitTimer, kCloseWaitPollMs);
            return;
        }
    }
    EndTargetAndSelf();
}

void TimedWindow::AwaitTargetEnd() {
    if (!waiting_) return;
    if (Platform().WaitForProcess(target_.Get(), 0) == WAIT_OBJECT_0) {
        target_.Close();
        KillTimer(kCloseWaitTimer);
        EndAfterFiring();
        return;
    }
    if (Platform().TickCount() - waitStart_ < kCloseWaitMs) return;
    KillTimer(kCloseWaitTimer);
    EndTargetAndSelf();
}

// Nothing is reported: a process that cannot be opened or ended stays, and
// the program ends as usual.
void TimedWindow::EndTargetAndSelf() {
    Platform().TerminateProcess(target_.Get(), kEndedExitCode);
    target_.Close();
    EndAfterFiring();
}

}  // namespace nocturne
