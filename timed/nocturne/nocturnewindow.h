// nocturne's main window: at the set time it ends, without asking, the
// process that owns the top-level window with the given caption, and then
// ends itself. With option g it asks the window to close first and gives
// the process a while to end by itself.
#pragma once

#include <windows.h>

#include "timedcommandline.h"
#include "timedwindow.h"
#include "wpnotice.h"

namespace nocturne {

// The wait for a target asked to close: polled on a timer of its own, so
// the tray and the menu keep answering meanwhile.
const UINT_PTR kCloseWaitTimer = 2;
const UINT kCloseWaitPollMs = 100;
const DWORD kCloseWaitMs = 10000;

// A process handle from the platform seam, closed through the seam when it
// goes. Held while the process is waited on, it keeps the process's
// identity: its id could otherwise pass to a new one.
class ProcessHandle {
public:
    ProcessHandle() = default;
    ~ProcessHandle() { Close(); }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    // With all access, not inheritable.
    void Open(DWORD processId);
    // Closes what Open gave, a null handle too (the result is not examined).
    void Close();
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
    bool open_ = false;
};

class TimedWindow : public timed::TimedWindowBase<TimedWindow> {
public:
    static const char kName[];  // "Nocturne": window class and caption

    // Reads the command-line copy; a refused one shows the usage box and
    // ends the program with no window made.
    TimedWindow();

    // The close wait's timer; the clock's goes to the shared part.
    int OnTimer(UINT id) override;

    // What the shared part asks of the program.
    int ReadRequest(const char* commandLine);
    static WPNotice UsageBox();
    void TakeTipSubject() {}
    const char* TipSubject() const { return caption; }
    // Ends the caption's process, silently on every failure, then the
    // program; with politeClose only once the wait is over.
    void Fire();

    int coolDown = 0;
    int noIcon = 0;
    char caption[kTargetSize] = {};
    int politeClose = 0;

private:
    // One poll of the close wait: the program ends once the target did, or
    // ends the target when kCloseWaitMs have passed.
    void AwaitTargetEnd();
    void EndTargetAndSelf();

    ProcessHandle target_;
    bool waiting_ = false;
    DWORD waitStart_ = 0;
};

}  // namespace nocturne
