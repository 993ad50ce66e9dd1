#include "settime.h"

#include <gtest/gtest.h>

#include <string>

// Each time field is one or two digits, hours up to 23, minutes and
// seconds up to 59: a time the clock never shows would never fire.
TEST(CheckTime, AcceptsOnlyTimesTheClockShows) {
    EXPECT_EQ(1, CheckTime("23:59:59"));
    EXPECT_EQ(1, CheckTime("0:0:0"));
    EXPECT_EQ(0, CheckTime("24:00"));
    EXPECT_EQ(0, CheckTime("12:60"));
    EXPECT_EQ(0, CheckTime("12:00:60"));
}

TEST(CheckTime, RefusesFieldsOfTheWrongWidth) {
    EXPECT_EQ(0, CheckTime("123:00"));
    EXPECT_EQ(0, CheckTime("7:005"));
    EXPECT_EQ(0, CheckTime("7:30:000"));
    EXPECT_EQ(0, CheckTime("007:30"));
}

TEST(CheckTime, NeedsHoursAndMinutes) {
    EXPECT_EQ(0, CheckTime("7"));
    EXPECT_EQ(0, CheckTime("7:"));
    EXPECT_EQ(0, CheckTime(":"));
    EXPECT_EQ(0, CheckTime(""));
}

TEST(CheckTime, RunsOfColonsCountAsOneAndExtraFieldsAreNotExamined) {
    EXPECT_EQ(1, CheckTime("7::30"));
    EXPECT_EQ(1, CheckTime(":7:30:"));
    EXPECT_EQ(1, CheckTime("7:30:15:99"));
    EXPECT_EQ(1, CheckTime("7:30:15:anything at all"));
}

// A field that is not all digits could never equal the clock text.
TEST(CheckTime, RefusesFieldsThatAreNotAllDigits) {
    EXPECT_EQ(0, CheckTime("7a:30"));
    EXPECT_EQ(0, CheckTime("7:3x"));
    EXPECT_EQ(0, CheckTime("-1:30"));
    EXPECT_EQ(0, CheckTime("+7:30"));
    EXPECT_EQ(0, CheckTime("\t7:30"));
    EXPECT_EQ(0, CheckTime("7:30:-0"));
    // A full-width digit is two bytes, neither of them a digit.
    EXPECT_EQ(0, CheckTime("７:30"));
    EXPECT_EQ(0, CheckField(""));
    EXPECT_EQ(1, CheckField("07"));
}

TEST(CheckTime, RefusesATextLongerThan63Characters) {
    std::string text = "7:30:15:";
    text.append(63 - text.size(), 'x');
    EXPECT_EQ(1, CheckTime(text.c_str()));
    text += 'x';
    EXPECT_EQ(0, CheckTime(text.c_str()));
}

namespace {

struct Normalized {
    int result;
    std::string time, hour, minute, second;
    ClockTime at;
};

Normalized Normalize(const char* typed) {
    SetTime setTime;
    snprintf(setTime.timeText, sizeof setTime.timeText, "%s", typed);
    Normalized out;
    out.result = setTime.NormalizeTime();
    out.time = setTime.timeText;
    out.hour = setTime.hourText;
    out.minute = setTime.minuteText;
    out.second = setTime.secondText;
    out.at = ClockTimeOf(setTime.hourText, setTime.minuteText, setTime.secondText);
    return out;
}

}  // namespace

TEST(NormalizeTime, AddsMissingSecondsAndDropsExtraFields) {
    EXPECT_EQ("7:30:00", Normalize("7:30").time);
    EXPECT_EQ("7:30:15", Normalize("7:30:15").time);
    EXPECT_EQ("7:30:15", Normalize("7:30:15:99").time);
    Normalized colons = Normalize("7::30");
    EXPECT_EQ(1, colons.result);
    EXPECT_EQ("7", colons.hour);
    EXPECT_EQ("30", colons.minute);
    EXPECT_EQ("00", colons.second);
    EXPECT_EQ("7:30:00", colons.time);
}

// The texts stay as typed for the tip and the dialog; the time they name is
// the same with or without leading zeros.
TEST(NormalizeTime, KeepsThePartsExactlyAsTyped) {
    EXPECT_EQ("7:05:00", Normalize("7:05").time);
    Normalized typed = Normalize("07:5:9");
    EXPECT_EQ("07:5:9", typed.time);
    EXPECT_EQ("07", typed.hour);
    EXPECT_EQ("5", typed.minute);
    EXPECT_EQ("9", typed.second);
    for (const char* sameTime : {"7:05", "07:05", "7:5", "07:05:00", "7:5:0"}) {
        const ClockTime at = Normalize(sameTime).at;
        EXPECT_EQ(7, at.hour) << sameTime;
        EXPECT_EQ(5, at.minute) << sameTime;
        EXPECT_EQ(0, at.second) << sameTime;
    }
    EXPECT_EQ(9, typed.at.second);
}

TEST(NormalizeTime, RefusesWhatCheckTimeRefusesAndChangesNothing) {
    for (const char* bad : {"25:00", "7", "7:61", "7:30:61", "7a:30", "123:00"}) {
        Normalized out = Normalize(bad);
        EXPECT_EQ(0, out.result) << bad;
        EXPECT_EQ(bad, out.time) << bad;
    }
    // Any one part's buffer without room for two characters is refused before anything is written.
    char time[16] = "07:30", hour[3] = "h", minute[3] = "m", second[3] = "s";
    for (int small = 0; small < 3; ++small) {
        EXPECT_EQ(0, NormalizeTime(TextField{time, 16}, TextField{hour, small == 0 ? 2 : 3},
                                   TextField{minute, small == 1 ? 2 : 3}, TextField{second, small == 2 ? 2 : 3}))
            << "part " << small;
        EXPECT_STREQ("07:30", time);
        EXPECT_STREQ("h", hour);
    }
    char exact[3] = "";  // room enough
    EXPECT_EQ(1, NormalizeTime(TextField{time, 16}, TextField{exact, 3}, TextField{minute, 3}, TextField{second, 3}));
    EXPECT_STREQ("07:30:00", time);
    EXPECT_STREQ("07", exact);
}

TEST(ComposeTimeText, JoinsThePartsAsTheyAreAndRefusesWhatDoesNotFit) {
    SetTime setTime;
    snprintf(setTime.hourText, sizeof setTime.hourText, "7");
    snprintf(setTime.minuteText, sizeof setTime.minuteText, "05");
    EXPECT_EQ(1, setTime.RebuildTimeText());
    EXPECT_STREQ("7:05:", setTime.timeText);

    char small[8] = "old";
    EXPECT_EQ(1, ComposeTimeText(TextField{small, 8}, "1", "22", "33"));
    EXPECT_STREQ("1:22:33", small);
    EXPECT_EQ(0, ComposeTimeText(TextField{small, 8}, "11", "22", "33"));
    EXPECT_STREQ("1:22:33", small);
}

// The time dialog takes any number of digits (its edits hold 9), but only
// a time the clock shows.
TEST(FirstBadPart, NamesTheFirstFieldThatCanNeverCome) {
    struct Row {
        const char* fault;
        const char *hour, *minute, *second;
        TimePart bad;
    };
    const Row rows[] = {
        {"a good time was refused", "23", "59", "59", TimePart::None},
        {"leading zeros were refused", "007", "05", "000000009", TimePart::None},
        {"an emptied seconds field was taken", "7", "05", "", TimePart::Second},
        {"an emptied hour field was taken", "", "05", "00", TimePart::Hour},
        {"hour 24 was taken", "24", "00", "00", TimePart::Hour},
        {"minute 60 was taken", "7", "60", "00", TimePart::Minute},
        {"second 60 was taken", "7", "05", "60", TimePart::Second},
        {"a pasted letter was taken", "7", "0x", "00", TimePart::Minute},
        {"a later field was named before the first bad one", "99", "99", "", TimePart::Hour},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        EXPECT_EQ(row.bad, FirstBadPart(row.hour, row.minute, row.second));
    }
}
