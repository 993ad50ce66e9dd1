// aubade's main window: at the set time it opens its target through the
// shell, then ends, or with option c stays and does so every day.
#pragma once

#include "timedcommandline.h"
#include "timedwindow.h"
#include "wpnotice.h"

namespace aubade {

class TimedWindow : public timed::TimedWindowBase<TimedWindow> {
public:
    static const char kName[];  // "Aubade": window class and caption

    // Reads the command-line copy; a refused one shows the usage box and
    // ends the program with no window made.
    TimedWindow();

    // What the shared part asks of the program.
    int ReadRequest(const char* commandLine);
    static WPNotice UsageBox();
    void TakeTipSubject();
    const char* TipSubject() const { return programName; }
    // Opens the target; ends the program unless quitAfterFire is 0.
    void Fire();

    char programName[kTargetSize] = {};
    int quitAfterFire = 1;
    int coolDown = 0;
    int noIcon = 0;
    char directory[kTargetSize] = {};
    char program[kTargetSize] = {};
    char parameters[kTargetSize] = {};
};

}  // namespace aubade
