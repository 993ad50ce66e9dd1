// Reading lofter's command line: a settings word of key=value items, an
// optional separator word before it and argument words after it. Within the
// settings word a double-quoted run holds blanks and separators (a path
// with blanks); the e and f values lose their quotes.
#ifndef LOFTER_COMMANDLINE_H
#define LOFTER_COMMANDLINE_H

#include "launchsettings.h"
#include "screens.h"

// Fills settings and target from commandText (the command-line tail or the
// word a response file gave). Sets `arguments` anew and applies the items
// over what the records hold, then checks the position and size against
// the screen they refer to: the monitor an m item names, else the primary
// screen (see ReferenceScreen). A line beyond what the program holds is
// refused whole: nothing of it is applied, exactly as if it were empty (see
// commandline.cpp).
void parseCommandLine(const char* commandText, const lofter::ScreenLayout& screens,
                      LaunchSettings* settings, LaunchTarget* target);

#endif
