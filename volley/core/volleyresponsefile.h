// volley's response file: one entry per line, either
//   file[,params[,dir[,showCode]]]     a program or document to open, or
//   #time,milliseconds                 a wait.
// Fields are separated by commas; runs of commas count as one, so no field is
// ever empty, and blanks are kept as written.
#ifndef VOLLEY_RESPONSEFILE_H
#define VOLLEY_RESPONSEFILE_H

#include "volleyentrylist.h"
#include "wpnotice.h"

#include <stddef.h>

// Results of ReadResponseFile. Non-zero means the file was found, so a
// caller that tests for 0 ("%s not found") keeps working.
enum ReadStatus {
    kFileMissing = 0,        // the file does not exist or cannot be read
    kFileRead = 1,           // every line was read
    kStoppedAtTimeLine = 2,  // a #time line had no value; a notice says so
    kRefusedText = 3,        // a character code page 932 cannot hold; a notice
                             // names its line, and nothing was read
};

// Reads the named file into list (see ReadResponseText), decoded as it was
// saved: UTF-8 or UTF-16 becomes code page 932 first. Only a file that can be
// opened by this name, relative to the current directory, is read.
int ReadResponseFile(const char* name, EntryList& list, WPNoticeList* notices);

// Reads the bytes of a response file into list, appending one entry per line
// that has a field. A #time line without a value stops the reading: the
// entries before it stay, and a notice tells the user which line it was and
// that it and the lines after it are not run. name is only used in that text.
// Notices are appended in order, for the window code to show.
int ReadResponseText(const char* name, const char* data, size_t size, EntryList& list,
                     WPNoticeList* notices);

// Makes and appends the LaunchEntry of one line.
LaunchEntry* ParseLaunchLine(const char* line, EntryList& list);

// Makes and appends the SleepEntry of a #time line; null (and nothing
// appended) when the line has no value.
SleepEntry* ParseTimeLine(const char* line, EntryList& list);

#endif
