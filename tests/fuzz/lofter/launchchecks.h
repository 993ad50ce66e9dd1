// What every parse must leave behind, whatever the input: texts terminated
// inside their buffers and numbers and flags the grammar can produce.
// A broken rule aborts, which the fuzzer reports as a crash.
#ifndef LOFTER_FUZZ_LAUNCHCHECKS_H
#define LOFTER_FUZZ_LAUNCHCHECKS_H

#include "launchsettings.h"
#include "wprect.h"

void Require(bool holds, const char* rule);

// The text ends inside capacity bytes. The field is copied into a heap
// buffer of exactly that size first, so that a missing terminator makes
// ASan report a read past it rather than run on into the next field.
// Returns the text's length.
int CheckTerminated(const char* field, int capacity, const char* name);

// The records as parseCommandLine leaves them for screen.
void CheckParsed(const LaunchSettings& settings, const LaunchTarget& target,
                 const WPRect& screen);

#endif
