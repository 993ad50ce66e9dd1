#pragma once

#include <windows.h>

// Opens a file, program or document with the shell's "open" verb, the way
// the suite's launchers do: the first version's request record, no owner
// window and no mask, so that the shell shows its own box when it cannot
// open the target. Returns the shell's answer (nonzero when it took it).
// Omitted texts are passed as empty texts, never as none.
BOOL OpenThroughShell(const char* file, const char* parameters, const char* directory, int show);
