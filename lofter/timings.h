// lofter's two timing settings, kept across runs in the registry through
// kivlib. The main window holds one of these records among its fields; the
// timing dialog saves it.
#ifndef KIVORA_LOFTER_TIMINGS_H
#define KIVORA_LOFTER_TIMINGS_H

// Keys under HKEY_USERS; each holds its number as "%d" text. The same keys
// below the user's own SID (the branch that is HKEY_CURRENT_USER) take a
// value that the default profile refuses, and are read first.
extern const char kCaptureDelayKey[];
extern const char kReturnIntervalKey[];

struct TimingSettings {
    int captureDelay = 1000;    // ms from the start of the program to the capture of its window
    int returnInterval = 500;   // ms between two auto-return checks

    // Replaces each value with the user's own stored one, else the default
    // profile's. A value stored in neither is created holding the current
    // value, where a save would put it, and the current value stays in
    // force. Stored texts are read leniently ("700ms" gives 700, no digits
    // give 0) and not range-checked.
    void loadTimes();

    // Stores each value under the default profile, or where that refuses,
    // in the user's own branch; missing keys are created. False when a value
    // could be stored in neither (the caller tells the user); the values in
    // memory stay in force for the run either way.
    bool saveTimes() const;
};

#endif
