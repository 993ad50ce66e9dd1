// The parsed requests of the two timed programs, as their main windows keep
// them, and the start-up reading of the command line.
#ifndef KIVORA_TIMED_TIMEDREQUEST_H
#define KIVORA_TIMED_TIMEDREQUEST_H

#include "settime.h"
#include "timedcommandline.h"
#include "timedusage.h"

// The launcher's request: when, what to open, and how to go on.
struct LaunchRequest : SetTime {
    char program[kTargetSize];
    char parameters[kTargetSize];
    char directory[kTargetSize];
    int noIcon;         // 1: no tray icon (option h)
    int quitAfterFire;  // 0 with option c: stay and fire every day

    LaunchRequest();
    // commandLine is the whole tail, not a copy already cut to 255
    // characters: a longer one is refused.
    int ParseCommandLine(const char* commandLine);
    int ParseOptions(const char* text);
    // The start-up steps: ParseCommandLine, then NormalizeTime. Returns 1;
    // or 0 with *refusal the usage box to show before the program ends.
    int ReadCommandLine(const char* commandLine, WPNotice* refusal);
    LaunchFields Fields();
};

// The closer's request: when, and the caption of the window whose process
// is ended.
struct CloseRequest : SetTime {
    char caption[kTargetSize];
    int noIcon;
    int politeClose;  // 1: WM_CLOSE first, then the wait (option g)

    CloseRequest();
    int ParseCommandLine(const char* commandLine);
    int ParseOptions(const char* text);
    int ReadCommandLine(const char* commandLine, WPNotice* refusal);
    CloseFields Fields();
};

#endif
