#include "settime.h"

#include "wptext.h"

#include <string.h>

namespace {

// 24:00 or a minute or second of 60 never comes: such a time is refused,
// not left waiting for ever in the tray.
const int kMaxHour = 23;
const int kMaxMinute = 59;
const int kMaxSecond = 59;

struct TimeParts {
    char hour[kTimePartSize];
    char minute[kTimePartSize];
    char second[kTimePartSize];
};

enum class Part { Missing, Good, Bad };

// Takes the next ":" field into part and checks it. One too long for the
// part buffer is bad (CheckField would refuse it anyway).
Part TakePart(Tokenizer& fields, char* part, int maxValue) {
    int length = fields.Next(":", part, kTimePartSize);
    if (length < 0) return Part::Missing;
    if (length >= kTimePartSize || !CheckField(part)) return Part::Bad;
    int value = ReadNumber(part);
    return value >= 0 && value <= maxValue ? Part::Good : Part::Bad;
}

bool ReadTimeParts(const char* text, TimeParts* parts) {
    Tokenizer fields(text);
    if (TakePart(fields, parts->hour, kMaxHour) != Part::Good) return false;
    if (TakePart(fields, parts->minute, kMaxMinute) != Part::Good) return false;
    switch (TakePart(fields, parts->second, kMaxSecond)) {
    case Part::Missing: CopyText(parts->second, kTimePartSize, "00"); return true;
    case Part::Good: return true;
    case Part::Bad: break;
    }
    return false;
}

}  // namespace

// Only whole digits pass, although the value is read leniently: a field such
// as "7a", "+7" or " 7" is refused with the usage box rather than read as
// something the user may not have meant.
int CheckField(const char* field) {
    int length = 0;
    for (; field[length] != '\0'; ++length) {
        if (length == 2 || field[length] < '0' || field[length] > '9') return 0;
    }
    return length >= 1 ? 1 : 0;
}

// A time text longer than 63 characters is refused rather than cut: cutting
// could turn a refused time into an accepted one (or the other way round).
int CheckTime(const char* text) {
    if (strlen(text) > static_cast<size_t>(kTimeCheckLimit)) return 0;
    TimeParts parts;
    return ReadTimeParts(text, &parts) ? 1 : 0;
}

int NormalizeTime(TextField timeText, TextField hourText, TextField minuteText,
                  TextField secondText) {
    TimeParts parts;
    if (!ReadTimeParts(timeText.text, &parts)) return 0;
    // The parts hold at most two characters each; a caller's smaller buffer
    // is refused before anything is written.
    const int longest = 2 + 1;
    if (hourText.size < longest || minuteText.size < longest || secondText.size < longest) return 0;
    if (!ComposeTimeText(timeText, parts.hour, parts.minute, parts.second)) return 0;
    CopyText(hourText.text, hourText.size, parts.hour);
    CopyText(minuteText.text, minuteText.size, parts.minute);
    CopyText(secondText.text, secondText.size, parts.second);
    return 1;
}

int ComposeTimeText(TextField timeText, const char* hour, const char* minute, const char* second) {
    const char* pieces[] = {hour, ":", minute, ":", second};
    size_t total = 0;
    for (const char* piece : pieces) total += strlen(piece);
    if (timeText.size <= 0 || total >= static_cast<size_t>(timeText.size)) return 0;
    // Everything fits, so no piece is cut.
    int used = 0;
    for (const char* piece : pieces) used += CopyText(timeText.text + used, timeText.size - used, piece);
    return 1;
}

ClockTime ClockTimeOf(const char* hour, const char* minute, const char* second) {
    return ClockTime{ReadNumber(hour), ReadNumber(minute), ReadNumber(second)};
}

namespace {

// A part typed in the time dialog: digits only (any number of them, as the
// edit allows) and a value the clock shows.
bool GoodDialogPart(const char* part, int maxValue) {
    if (part[0] == '\0') return false;
    for (const char* p = part; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
    }
    return ReadNumber(part) <= maxValue;
}

}  // namespace

TimePart FirstBadPart(const char* hour, const char* minute, const char* second) {
    if (!GoodDialogPart(hour, kMaxHour)) return TimePart::Hour;
    if (!GoodDialogPart(minute, kMaxMinute)) return TimePart::Minute;
    if (!GoodDialogPart(second, kMaxSecond)) return TimePart::Second;
    return TimePart::None;
}

SetTime::SetTime() {
    timeText[0] = hourText[0] = minuteText[0] = secondText[0] = '\0';
}

int SetTime::NormalizeTime() {
    return ::NormalizeTime(TimeTextField(), TextField{hourText, sizeof hourText},
                           TextField{minuteText, sizeof minuteText},
                           TextField{secondText, sizeof secondText});
}

int SetTime::RebuildTimeText() {
    return ComposeTimeText(TimeTextField(), hourText, minuteText, secondText);
}
