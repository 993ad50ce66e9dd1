// The usage box of the timed programs: shown, with no owner window, for
// every refused command line or time, whatever was wrong with it.
#ifndef KIVORA_TIMED_TIMEDUSAGE_H
#define KIVORA_TIMED_TIMEDUSAGE_H

#include "wpnotice.h"

const unsigned kUsageBoxType = 0;  // MB_OK only, no icon

extern const char kLaunchUsage[];
extern const char kCloseUsage[];
extern const char kUsageCaption[];

// The usage boxes as notices for the window code (no beep, no owner).
WPNotice LaunchUsageBox();
WPNotice CloseUsageBox();

#endif
