// The option field of the timed programs' command lines: "-" followed by
// letters, h (no tray icon) for both programs, c (stay after firing) for
// the launcher only, g (ask the window to close first) for the closer only.
#ifndef KIVORA_TIMED_TIMEDOPTIONS_H
#define KIVORA_TIMED_TIMEDOPTIONS_H

// Where the letters land. quitAfterFire is null for a program that does
// not know c, politeClose for one that does not know g.
struct OptionFlags {
    int* noIcon;
    int* quitAfterFire;
    int* politeClose = nullptr;
};

// Reads the option letters: h sets noIcon to 1, c sets quitAfterFire to 0,
// g sets politeClose to 1; every other character after the "-" is ignored. Returns 1 for a field of
// blanks only or one that holds a known letter; 0 when the first non-blank
// is not "-" or no known letter follows it (the flags are then untouched).
int ParseOptions(const char* text, OptionFlags flags);

#endif
