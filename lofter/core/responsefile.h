// The response file: a text file whose first word stands in for the
// command line ("r=" and the file's name).
#ifndef LOFTER_RESPONSEFILE_H
#define LOFTER_RESPONSEFILE_H

#include "launchsettings.h"

#include <stddef.h>

// Gives the file's bytes one at a time; returns -1 at the end.
typedef int (*ByteSource)(void* context);

// Takes the first word from source: leading white space is skipped and the
// word ends at the next white space, a NUL byte or the end; inside a
// double-quoted run (kept in the word) only a line end ends it. Reads no
// further than it needs. Returns the word's length, or -1 when it is longer
// than the 1023 characters a command line holds (word is then empty).
// word must hold kMaxLineLength + 1 bytes.
int ReadFirstWord(ByteSource source, void* context, char* word);

// The same over bytes in memory.
int ReadFirstWord(const char* data, size_t size, char* word);

// commandText ("r=" and a file name, blanks included, in a buffer of
// textSize bytes) is replaced by the first word of that file, decoded as it
// was saved (UTF-8 or UTF-16 becomes code page 932) and read as text up to a
// Ctrl-Z; or `responseFailed` is set and the text left as it was, with
// `responseRefusedLine` when a character of the file has no place in code
// page 932.
void readResponseFile(char* commandText, int textSize, LaunchSettings* settings);

#endif
