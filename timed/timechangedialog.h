// The time dialog of the timed programs: hours, minutes and seconds as
// three digit-only edits on "PROPATYDIALOG".
#pragma once

#include "settime.h"
#include "wpctrlmap.h"

class WPWin;

namespace timed {

// The dialog's record: the three parts of the set time as typed.
struct TimeRecord {
    char hours[kTimePartSize];
    char minutes[kTimePartSize];
    char seconds[kTimePartSize];
};

// The parts of the set time as the window keeps them (kTimePartSize each).
struct TimeParts {
    char* hours;
    char* minutes;
    char* seconds;
};

enum class TimeDialogResult { Confirmed, Cancelled, NoMemory };

// Runs the dialog owned by owner on a copy of the parts. OK with a field
// that names no time the clock shows is refused with a box, and the dialog
// stays; otherwise the edited texts are copied back as typed. On Cancel, or
// when the dialog cannot run or its record cannot be allocated, nothing
// changes.
TimeDialogResult AskTimeParts(WPWin* owner, TimeParts parts);

}  // namespace timed
