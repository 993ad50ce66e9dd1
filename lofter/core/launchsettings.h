// What lofter is asked to do: the records its command line fills.
//
// Window-free, so the command-line and response-file readers build and are
// tested natively; LauncherWindow holds these records.
#ifndef LOFTER_LAUNCHSETTINGS_H
#define LOFTER_LAUNCHSETTINGS_H

#include "wprect.h"

// Capacities (terminator included) and the limits of what one command line
// holds. Where input goes beyond a limit is decided in commandline.cpp and
// responsefile.cpp.
constexpr int kCommandTextSize = 1024;  // the program-wide command-line text
constexpr int kMaxLineLength = 1023;    // the parser's private copy
constexpr int kMaxWords = 10;
constexpr int kMaxItems = 9;
constexpr int kMaxValueLength = 11;     // values of z, a, d, q and s
constexpr int kPathSize = 260;          // values of e and f: 259 characters (MAX_PATH - 1)
constexpr int kArgumentsSize = 1024;    // 1023 characters of argument text

// Show commands handed to the shell (the SW_* values).
constexpr int kShowNormal = 5;     // SW_SHOW
constexpr int kShowMinimized = 6;  // SW_MINIMIZE
constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED
constexpr int kShowHidden = 0;     // SW_HIDE

// Where and how the target window is placed and what the run does after.
// Coordinates and sizes of -1 were not given; flags hold 0 or 1.
struct LaunchSettings {
    int x = -1;
    int y = -1;
    int w = -1;
    int h = -1;
    int topMost = 0;
    int nothingToUndo = 0;   // the run need not reset top-most; a placement may end it
    int responseFailed = 0;
    int autoReturn = 0;
    int noProgram = 1;
    int launchFailed = 0;    // set when the shell cannot start the program
    int stayResident = 0;
    char program[kPathSize] = "";
    char arguments[kArgumentsSize] = " ";
    // With responseFailed: the response file's line (from 1) that holds a
    // character code page 932 cannot hold; 0 when it could not be read.
    int responseRefusedLine = 0;
    // c=NEW: take the window the program opens, not whatever is in front.
    int captureNew = 0;
    // Where x and y count from on the virtual screen: the top-left corner
    // of the monitor m=N chose, 0,0 for the primary screen.
    WPPoint origin;
};

// How the program is started: the three start values the command line sets
// besides LaunchSettings. LauncherWindow keeps them with its own state, in
// this order.
struct LaunchTarget {
    char workDir[kPathSize] = " ";
    int showCommand = kShowNormal;
    int noPlacement = 0;     // started minimized, maximized or hidden: leave it alone
};

#endif
