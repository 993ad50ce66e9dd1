// What every parse must leave behind, whatever the input: texts terminated
// inside their buffers and numbers and flags the grammar can produce.
// A broken rule aborts, which the fuzzer reports as a crash.
#ifndef LOFTER_FUZZ_LAUNCHCHECKS_H
#define LOFTER_FUZZ_LAUNCHCHECKS_H

#include "launchsettings.h"
#include "screens.h"

void Require(bool holds, const char* rule);

// The text ends inside capacity bytes; nothing past them is read.
// Returns the text's length.
int CheckTerminated(const char* field, int capacity, const char* name);

// The records as parseCommandLine leaves them after reading line for screens.
void CheckParsed(const char* line, const LaunchSettings& settings, const LaunchTarget& target,
                 const lofter::ScreenLayout& screens);

#endif
