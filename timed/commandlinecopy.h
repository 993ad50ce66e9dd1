// The timed programs' copy of their command-line tail, made by the start
// function and read by the main window's construction.
#pragma once

#include "timedcommandline.h"

namespace timed {

struct CommandLineCopy {
    char text[kCommandLineSize];
    // The tail did not fit the copy: it is refused, never acted on cut.
    bool cut;
};

extern CommandLineCopy commandLine;

// Copies the application's tail into commandLine.
void CopyCommandLine();

}  // namespace timed
