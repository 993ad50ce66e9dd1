// The set time of the timed programs: the checks on the time as the user
// typed it, and the time text that the countdown compares with the clock.
// Window-free: builds natively too.
#ifndef KIVORA_TIMED_SETTIME_H
#define KIVORA_TIMED_SETTIME_H

// A fixed text buffer owned by the caller; size counts the terminator.
struct TextField {
    char* text;
    int size;
};

const int kTimeTextSize = 256;   // timeText
const int kTimePartSize = 10;    // hourText, minuteText, secondText
const int kTimeCheckLimit = 63;  // longest time text CheckTime accepts

// A time of day as numbers: the set time is compared with the clock this
// way, so 7:05, 07:05 and 7:5 are one time whatever the user's time format.
struct ClockTime {
    int hour;
    int minute;
    int second;
};

// One ":" field of a time: one or two decimal digits. Returns 1 or 0.
int CheckField(const char* field);

// Validates a time text "h:m[:s]" without changing anything: hours 0..23,
// minutes and seconds 0..59, runs of ":" count as one, fields after the
// seconds are not examined. Returns 1 or 0.
int CheckTime(const char* text);

// Splits timeText into its hour, minute and second texts as typed (seconds
// "00" when absent), checks them as CheckTime does and rebuilds timeText as
// hour ":" minute ":" second. Returns 1, or 0 with nothing changed.
int NormalizeTime(TextField timeText, TextField hourText, TextField minuteText,
                  TextField secondText);

// timeText = hour ":" minute ":" second, taken as they are (the time dialog
// keeps its fields as typed). Returns 1, or 0 with timeText unchanged when
// the result would not fit.
int ComposeTimeText(TextField timeText, const char* hour, const char* minute, const char* second);

// The numbers of the part texts (each checked already).
ClockTime ClockTimeOf(const char* hour, const char* minute, const char* second);

enum class TimePart { None, Hour, Minute, Second };

// The first of the time dialog's three fields that names no time the clock
// shows: empty, not all digits, an hour over 23, a minute or second over 59.
TimePart FirstBadPart(const char* hour, const char* minute, const char* second);

// The set time as the timed programs keep it.
struct SetTime {
    char timeText[kTimeTextSize];
    char hourText[kTimePartSize];
    char minuteText[kTimePartSize];
    char secondText[kTimePartSize];

    SetTime();
    int NormalizeTime();
    // timeText from the three part texts, after they were edited.
    int RebuildTimeText();
    TextField TimeTextField() { return TextField{timeText, sizeof timeText}; }
};

#endif
