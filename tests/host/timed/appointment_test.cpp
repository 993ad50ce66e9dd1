#include "appointment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One event on a virtual clock: Set (a new appointment at `at`) or a tick.
struct Event {
    bool set;
    LocalDateTime now;
    ClockTime at;
};

Event Set(int day, int h, int m, int s, int ms, ClockTime at) {
    return Event{true, {2026, 12, day, h, m, s, ms}, at};
}
Event Tick(int day, int h, int m, int s, int ms) {
    return Event{false, {2026, 12, day, h, m, s, ms}, {}};
}
// An appointment at midnight, set a minute before the day ends.
Event SetOn(int year, int month, int day) {
    return Event{true, {year, month, day, 23, 59, 0, 0}, {0, 0, 0}};
}
Event TickOn(int year, int month, int day, int h, int m, int s, int ms) {
    return Event{false, {year, month, day, h, m, s, ms}, {}};
}

struct Row {
    const char* fault;
    std::vector<Event> events;
    const char* fires;  // one mark per tick: 1 fired, . not
};

const ClockTime k705 = {7, 5, 0};

}  // namespace

TEST(Appointment, FiresOnceWhenTheClockPassesTheSetTime) {
    const Row rows[] = {
        {"a tick in the set second did not fire, or the next fired again",
         {Set(8, 7, 4, 0, 0, k705), Tick(8, 7, 4, 59, 900), Tick(8, 7, 5, 0, 100), Tick(8, 7, 5, 0, 300)},
         ".1."},
        {"a tick exactly at the set time did not fire",
         {Set(8, 7, 4, 59, 800, k705), Tick(8, 7, 5, 0, 0), Tick(8, 7, 5, 0, 200)}, "1."},
        {"the seconds of the set time were not counted",
         {Set(8, 7, 4, 0, 0, {7, 5, 30}), Tick(8, 7, 5, 0, 100), Tick(8, 7, 5, 30, 100)}, ".1"},
        {"a tick 3 s late lost the day's firing, or fired twice",
         {Set(8, 7, 4, 0, 0, k705), Tick(8, 7, 4, 59, 900), Tick(8, 7, 5, 2, 900), Tick(8, 7, 5, 3, 100)},
         ".1."},
        {"a time passed in a gap of 6 minutes fired late",
         {Set(8, 7, 0, 0, 0, k705), Tick(8, 7, 1, 0, 0), Tick(8, 7, 7, 0, 0), Tick(8, 7, 7, 0, 200)}, "..."},
        {"a time passed in a gap of exactly 5 minutes did not fire",
         {Set(8, 7, 0, 0, 0, k705), Tick(8, 7, 1, 0, 0), Tick(8, 7, 6, 0, 0)}, ".1"},
        {"0:00:00 was missed across midnight",
         {Set(8, 23, 59, 0, 0, {0, 0, 0}), Tick(8, 23, 59, 59, 900), Tick(9, 0, 0, 0, 100)}, ".1"},
        {"the turn of the year was taken for a gap",
         {Set(31, 23, 59, 0, 0, {0, 0, 0}), TickOn(2026, 12, 31, 23, 59, 59, 900),
          TickOn(2027, 1, 1, 0, 0, 0, 100)},
         ".1"},
        {"the turn from February to March was taken for a gap",
         {SetOn(2027, 2, 28), TickOn(2027, 2, 28, 23, 59, 59, 900), TickOn(2027, 3, 1, 0, 0, 0, 100)}, ".1"},
        {"a leap day was taken for a gap",
         {SetOn(2028, 2, 28), TickOn(2028, 2, 28, 23, 59, 59, 900), TickOn(2028, 2, 29, 0, 0, 0, 100),
          TickOn(2028, 2, 29, 23, 59, 59, 900), TickOn(2028, 3, 1, 0, 0, 0, 100)},
         ".1.1"},
        {"the leap day of 2000, a turn of 400 years, taken for a gap",
         {SetOn(2000, 2, 29), TickOn(2000, 2, 29, 23, 59, 59, 900), TickOn(2000, 3, 1, 0, 0, 0, 100)}, ".1"},
        {"2100 counted as a leap year",
         {SetOn(2100, 2, 28), TickOn(2100, 2, 28, 23, 59, 59, 900), TickOn(2100, 3, 1, 0, 0, 0, 100)}, ".1"},
        {"a tick in the last millisecond before the set time fired",
         {Set(8, 7, 4, 0, 0, k705), Tick(8, 7, 4, 59, 999), Tick(8, 7, 5, 0, 0)}, ".1"},
        {"a first look exactly five minutes after the start taken for a gap",
         {Set(8, 7, 0, 0, 0, {7, 4, 59}), Tick(8, 7, 4, 59, 999)}, "1"},
        {"a time met exactly by the look that ended a gap fired at the next look",
         {Set(8, 7, 0, 0, 0, k705), Tick(8, 7, 5, 0, 0), Tick(8, 7, 5, 0, 200)}, ".."},
        {"a clock set back over a fired time fired it again that day, or not the next day",
         {Set(8, 7, 4, 59, 0, k705), Tick(8, 7, 5, 0, 100), Tick(8, 7, 0, 0, 0), Tick(8, 7, 4, 59, 900),
          Tick(8, 7, 5, 0, 100), Tick(9, 7, 4, 59, 900), Tick(9, 7, 5, 0, 100)},
         "1....1"},
        {"a program started within the set second did not fire in it",
         {Set(8, 7, 5, 0, 700, k705), Tick(8, 7, 5, 0, 900), Tick(8, 7, 5, 1, 100)}, "1."},
        {"a time passed before the start fired instead of waiting for the next day",
         {Set(8, 7, 5, 1, 0, k705), Tick(8, 7, 5, 1, 200), Tick(9, 7, 4, 59, 900), Tick(9, 7, 5, 0, 100)},
         "..1"},
        {"a time changed in the dialog after a firing did not fire the same day",
         {Set(8, 7, 4, 59, 0, k705), Tick(8, 7, 5, 0, 100), Set(8, 7, 6, 0, 0, {7, 10, 0}),
          Tick(8, 7, 9, 59, 900), Tick(8, 7, 10, 0, 100)},
         "1.1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        Appointment appointment;
        std::string fires;
        for (const Event& event : row.events) {
            if (event.set)
                appointment.Set(event.at, event.now);
            else
                fires += appointment.Due(event.now) ? '1' : '.';
        }
        EXPECT_EQ(row.fires, fires);
    }
}
