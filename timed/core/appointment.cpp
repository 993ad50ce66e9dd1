#include "appointment.h"

namespace {

const long long kSecondMs = 1000;
const long long kDayMs = 24 * 60 * 60 * kSecondMs;

// Days from 1 March of year 0 of the Gregorian calendar to the date. The
// year is counted from March, so that a leap day ends it.
long long DayNumber(int year, int month, int day) {
    if (month <= 2) --year;
    const long long era = year / 400;  // a clock's year is 1601 or later
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

// Milliseconds on one line, so that a late look, a clock set back or
// forward and midnight are told apart by subtraction alone.
long long MsOf(const LocalDateTime& at) {
    const long long ofDay = ((at.hour * 60LL + at.minute) * 60 + at.second) * kSecondMs;
    return DayNumber(at.year, at.month, at.day) * kDayMs + ofDay + at.millisecond;
}

}  // namespace

void Appointment::Set(ClockTime at, const LocalDateTime& now) {
    timeOfDayMs_ = ((at.hour * 60LL + at.minute) * 60 + at.second) * kSecondMs;
    const long long nowMs = MsOf(now);
    lastLookMs_ = nowMs - nowMs % kSecondMs - 1;
    firedDay_ = -1;
}

bool Appointment::Due(const LocalDateTime& now) {
    const long long nowMs = MsOf(now);
    const long long lastLookMs = lastLookMs_;
    lastLookMs_ = nowMs;
    if (nowMs - lastLookMs > kLongestGapMs) return false;
    // The set time's latest coming at or before now; a clock set back puts
    // it at or before the last look as well.
    long long day = nowMs / kDayMs;
    long long comingMs = day * kDayMs + timeOfDayMs_;
    if (comingMs > nowMs) {
        --day;
        comingMs -= kDayMs;
    }
    if (comingMs <= lastLookMs || day == firedDay_) return false;
    firedDay_ = day;
    return true;
}
