// When the set time of a timed program comes. The clock is looked at on
// every tick with its full local date; the set time is due on the first
// look after the clock has passed it, once per calendar day. Window-free:
// builds natively too.
#ifndef KIVORA_TIMED_APPOINTMENT_H
#define KIVORA_TIMED_APPOINTMENT_H

#include "settime.h"

// The local date and time as the system clock gives it.
struct LocalDateTime {
    int year, month, day;
    int hour, minute, second, millisecond;
};

// Two looks further apart than this (sleep, hibernation, the clock set
// forward) fire nothing that fell between them: a morning program started
// hours late is worse than none.
const long long kLongestGapMs = 5 * 60 * 1000;

class Appointment {
public:
    // A new appointment at `at`, watched from the start of now's second: a
    // set time in that second still comes in it, one already passed today
    // comes tomorrow. It may fire today even if the one before it did.
    void Set(ClockTime at, const LocalDateTime& now);

    // One look at the clock. True when the set time lies after the last look
    // and at or before now, the two looks are at most kLongestGapMs apart,
    // and it has not fired for that calendar day yet: a late look fires
    // once, a clock set back over a fired time does not fire it again.
    bool Due(const LocalDateTime& now);

private:
    long long timeOfDayMs_ = 0;
    long long lastLookMs_ = 0;
    long long firedDay_ = -1;  // no day yet
};

#endif
