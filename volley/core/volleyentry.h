// The entries of a volley list: what the reader makes of each line.
#ifndef VOLLEY_ENTRY_H
#define VOLLEY_ENTRY_H

#include <stdint.h>

class EntryRow;  // the row window that shows an entry (window code)

// A row rectangle in client coordinates of the main window.
struct EntryRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Capacity of an entry's label, terminator included.
const int kLabelSize = 256;

// Capacity of file, params and dir. A line holds at most 255 characters, so
// every field of a line fits whole: a field beyond 127 characters is neither
// cut (which could start a different program) nor refused.
const int kFieldSize = 256;

class Entry {
public:
    virtual ~Entry() = default;
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    // Performs the entry: non-zero when done, 0 when it failed.
    virtual int Execute() = 0;

    Entry* next = nullptr;
    EntryRect rect = {0, 0, 0, 0};
    EntryRow* row = nullptr;
    int32_t index = 0;
    char label[kLabelSize] = {};

protected:
    Entry() = default;
};

// Opens a program or document through the shell.
class LaunchEntry : public Entry {
public:
    // showCode is the fourth field of the line (0 when missing), translated
    // into show by ShowCommandFor.
    LaunchEntry(const char* file, const char* params, const char* dir, int showCode);

    int Execute() override;

    // What performs a launch: the program points this at the shell's execute
    // service, tests at a recorder. Returns non-zero on success. Unset, every
    // launch fails.
    static int (*performLaunch)(const LaunchEntry& entry);

    char file[kFieldSize] = {};
    char params[kFieldSize] = {};
    char dir[kFieldSize] = {};
    int32_t show = 1;
};

// Waits a number of milliseconds, watching the tick count.
class SleepEntry : public Entry {
public:
    explicit SleepEntry(int32_t milliseconds);

    // Reads tickCount until ms have passed, pausing between readings; never
    // fails. A value of 0 or below returns after one reading. Nothing else
    // runs meanwhile: no messages are handled, nothing is repainted.
    int Execute() override;

    // The millisecond tick count (wrapping at 2^32): the program points this at
    // the platform's clock, tests at a fake. Unset, a wait returns at once.
    static uint32_t (*tickCount)();

    // Blocks the thread for about the given milliseconds (never 0) without
    // handling messages: the program points this at the kernel's sleep, so a
    // long wait costs no processor time. Unset, the clock is read back to
    // back (the busy wait that the benchmark compares against).
    static void (*pause)(uint32_t milliseconds);

    // The longest single pause: the clock decides when the wait ends, and a
    // bounded pause never asks the kernel for its "forever" value.
    static constexpr uint32_t kLongestPause = 60000;

    int32_t ms = 0;
};

// The show command for a line's show code: 1 minimised, 2 maximised,
// 3 hidden, anything else a normal window.
int32_t ShowCommandFor(int showCode);

#endif
