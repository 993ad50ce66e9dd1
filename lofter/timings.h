// lofter's two timing settings, kept across runs in the registry through
// kivlib. The main window holds one of these records among its fields; the
// timing dialog saves it.
#ifndef KIVORA_LOFTER_TIMINGS_H
#define KIVORA_LOFTER_TIMINGS_H

// Keys under HKEY_USERS; each holds its number as "%d" text.
extern const char kCaptureDelayKey[];
extern const char kReturnIntervalKey[];

struct TimingSettings {
    int captureDelay = 1000;    // ms from the start of the program to the capture of its window
    int returnInterval = 500;   // ms between two auto-return checks

    // Replaces both values with the stored ones. A missing key is created
    // holding the current value, which then stays in force. Stored texts are
    // read leniently ("700ms" gives 700, no digits give 0) and not
    // range-checked.
    void loadTimes();

    // Stores both values, creating missing keys. False when a value could
    // be neither written nor created (the caller tells the user); the
    // values in memory stay in force for the run either way.
    bool saveTimes() const;
};

#endif
