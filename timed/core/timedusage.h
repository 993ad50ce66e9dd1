// The usage box of the timed programs: shown, with no owner window, for
// every refused command line or time, whatever was wrong with it.
#ifndef KIVORA_TIMED_TIMEDUSAGE_H
#define KIVORA_TIMED_TIMEDUSAGE_H

// A message box to show, as data: the window code shows it through the
// framework's message-box seam.
struct UsageBox {
    const char* text;
    const char* caption;
    unsigned type;  // MB_* style bits
};

const unsigned kUsageBoxType = 0;  // MB_OK only, no icon

extern const char kLaunchUsage[];
extern const char kCloseUsage[];
extern const char kUsageCaption[];

UsageBox LaunchUsageBox();
UsageBox CloseUsageBox();

#endif
