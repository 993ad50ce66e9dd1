// nocturne's main window: at the set time it ends, without asking, the
// process that owns the top-level window with the given caption, and then
// ends itself.
#pragma once

#include "timedcommandline.h"
#include "timedwindow.h"
#include "wpnotice.h"

namespace nocturne {

class TimedWindow : public timed::TimedWindowBase<TimedWindow> {
public:
    static const char kName[];  // "Nocturne": window class and caption

    // Reads the command-line copy; a refused one shows the usage box and
    // ends the program with no window made.
    TimedWindow();

    // What the shared part asks of the program.
    int ReadRequest(const char* commandLine);
    static WPNotice UsageBox();
    void TakeTipSubject() {}
    const char* TipSubject() const { return caption; }
    // Ends the caption's process, silently on every failure, then the program.
    void Fire();

    int coolDown = 0;
    int noIcon = 0;
    char caption[kTargetSize] = {};
};

}  // namespace nocturne
