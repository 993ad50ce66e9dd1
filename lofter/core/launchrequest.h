// Reading the launch request at start-up, and the error boxes it leads to.
//
// Window-free: the boxes are returned as data, in the order they must
// appear, and LauncherWindow shows them through the framework (ShowNotices).
#ifndef LOFTER_LAUNCHREQUEST_H
#define LOFTER_LAUNCHREQUEST_H

#include "launchsettings.h"
#include "screens.h"
#include "wpnotice.h"

extern const char kUsageText[];
extern const char kResponseFileErrorText[];

// Reads commandText (a buffer of textSize bytes) into settings and target,
// which hold their initial values: through the response file when the text
// begins with "r", then the command line unless the file could not be read.
void ReadLaunchRequest(char* commandText, int textSize, const lofter::ScreenLayout& screens,
                       LaunchSettings* settings, LaunchTarget* target);

// The boxes a read request calls for, in order. The response-file box comes
// at once, before the main window exists; the usage box comes from the
// start step once the window exists, and follows a failed response file
// too, since nothing named a program then. Returns how many (0 to 2).
int CommandLineErrorBoxes(const LaunchSettings& settings, WPNotice boxes[2]);

#endif
