// The countdown on a virtual clock: which ticks fire, over whole virtual
// days, for the set times and dialog edits a user can give. aubade with
// option c stays after firing, so every firing of a run is seen.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "aubadewindow.h"
#include "timechange_ids.h"
#include "timed_test_support.h"
#include "timer_period.h"

namespace {

struct At {
    int day, hour, minute, second, ms;
};

// The time dialog as a user fills it; a null text leaves the field alone.
struct DialogEdit {
    bool used;
    const char* hours;
    const char* minutes;
    const char* seconds;
    int button;  // IDOK or IDCANCEL
};

struct ClockCase {
    const char* fault;  // what a failure of this row means
    const char* time;   // the set time on the command line
    DialogEdit edit;    // applied before the clock runs
    At start;
    int hours;          // how long the virtual clock runs
    At busyFrom;        // the thread is busy from here ...
    int busyMs;         // ... for this long (0: never)
    std::vector<std::string> fires;  // "day clock-text" of each firing
    const char* tip;    // the tray tip right after the edit; null: unchanged
};

const DialogEdit kNoEdit = {false, nullptr, nullptr, nullptr, 0};
const At kNever = {0, 0, 0, 0, 0};

const ClockCase kCases[] = {
    {"fires once per day at the set time, never twice in its second, and again the next day",
     "7:05", kNoEdit, {8, 7, 4, 59, 100}, 25, kNever, 0, {"8 7:05:00", "9 7:05:00"}, nullptr},
    {"a leading zero the clock does not print lost the firing", "07:05", kNoEdit, {8, 7, 0, 0, 0}, 1,
     kNever, 0, {"8 7:05:00"}, nullptr},
    {"a tick 3 s late lost the day's firing", "7:05", kNoEdit, {8, 7, 4, 59, 0}, 25,
     {8, 7, 4, 59, 800}, 3000, {"8 7:05:03", "9 7:05:00"}, nullptr},
    {"the date plays a part: started at 23:00, 6:00 comes on the next day", "6:00", kNoEdit,
     {8, 23, 0, 0, 0}, 8, kNever, 0, {"9 6:00:00"}, nullptr},
    {"Cancel in the time dialog changed the set time", "7:05", {true, "8", "30", "15", IDCANCEL},
     {8, 7, 4, 0, 0}, 2, kNever, 0, {"8 7:05:00"}, nullptr},
    {"OK in the time dialog did not put the new time in force at once", "7:05",
     {true, "8", "30", "15", IDOK}, {8, 7, 4, 0, 0}, 2, kNever, 0, {"8 8:30:15"}, "notepad.exe 8:30:15"},
    {"hours and seconds left alone did not open with the time in force", "7:05:20",
     {true, nullptr, "30", nullptr, IDOK}, {8, 7, 4, 0, 0}, 2, kNever, 0, {"8 7:30:20"}, "notepad.exe 7:30:20"},
    {"minutes left alone did not open with the time in force", "7:05:20", {true, "8", nullptr, nullptr, IDOK},
     {8, 7, 4, 0, 0}, 2, kNever, 0, {"8 8:05:20"}, "notepad.exe 8:05:20"},
};

const DialogEdit* editInUse;
bool editPressed;

// Runs inside the dialog's modal loop: fills the fields and presses. A
// dialog that a refusal kept open is cancelled.
void CALLBACK FillTimeDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = ::FindWindowA("#32770", "時間変更");
    if (!dialog || !::IsWindowVisible(dialog)) return;
    if (editPressed) {
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    editPressed = true;
    const DialogEdit& edit = *editInUse;
    const char* texts[] = {edit.hours, edit.minutes, edit.seconds};
    const int ids[] = {IDC_TIME_HOURS, IDC_TIME_MINUTES, IDC_TIME_SECONDS};
    for (int i = 0; i < 3; ++i) {
        // A typed letter is refused.
        ::SendDlgItemMessageA(dialog, ids[i], WM_CHAR, 'x', 0);
        char typed[16] = "";
        ::GetDlgItemTextA(dialog, ids[i], typed, sizeof typed);
        EXPECT_EQ(nullptr, strchr(typed, 'x')) << ids[i];
        if (texts[i]) ::SetDlgItemTextA(dialog, ids[i], texts[i]);
    }
    ::PostMessageA(dialog, WM_COMMAND, edit.button, 0);
}

bool Reached(const SYSTEMTIME& now, const At& at) {
    return now.wDay > at.day ||
           (now.wDay == at.day &&
            (now.wHour * 3600000 + now.wMinute * 60000 + now.wSecond * 1000 + now.wMilliseconds) >=
                (at.hour * 3600000 + at.minute * 60000 + at.second * 1000 + at.ms));
}

TEST(Countdown, FiringsOnAVirtualClock) {
    for (const ClockCase& row : kCases) {
        SCOPED_TRACE(row.fault);
        VirtualClock clock;
        clock.SetTime(row.start.day, row.start.hour, row.start.minute, row.start.second,
                      row.start.ms);
        std::string tail = std::string(row.time) + " notepad.exe, , ,-c";
        auto* window = StartWindow<aubade::TimedWindow>(tail);
        ASSERT_NE(nullptr, window->hwnd);
        if (row.edit.used) {
            editInUse = &row.edit;
            editPressed = false;
            const UINT_PTR filler = ::SetTimer(nullptr, 0, 20, FillTimeDialog);
            size_t before = clock.iconCalls.size();
            window->OnCommand(timed::kCmdChangeTime, 0);
            ::KillTimer(nullptr, filler);
            if (row.tip) {
                ASSERT_EQ(before + 1, clock.iconCalls.size());
                EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), clock.iconCalls.back().message);
                EXPECT_STREQ(row.tip, clock.iconCalls.back().data.szTip);
            } else {
                EXPECT_EQ(before, clock.iconCalls.size());
            }
        }

        // Ticks come every 200 ms, 2000 ms after a firing (the periods the
        // timer keeps are read below). A busy thread delays one tick.
        std::vector<std::string> fires;
        bool busyDone = row.busyMs == 0;
        DWORD total = static_cast<DWORD>(row.hours) * 3600000u;
        for (DWORD elapsed = 0; elapsed < total;) {
            size_t before = clock.shellCalls.size();
            window->OnTimer(timed::kClockTimer);
            if (clock.shellCalls.size() != before)
                fires.push_back(std::to_string(clock.localTime.wDay) + " " + clock.Text());
            DWORD step = window->coolDown ? 2000 : 200;
            if (!busyDone && Reached(clock.localTime, row.busyFrom)) {
                step += row.busyMs;
                busyDone = true;
            }
            clock.Advance(step);
            elapsed += step;
        }
        EXPECT_EQ(row.fires, fires);
        EndWindow(window);
    }
}

struct Refusal {
    const char* fault;
    const char *hours, *minutes, *seconds;  // the fields as OK finds them
    int field;                               // the one named and selected
    const char* box;
};
const Refusal* refusalInUse;
HWND refusingDialog;

// Runs inside the dialog's modal loop: fills the fields and presses OK; on
// the next tick, once OK was handled, looks at the dialog and cancels it.
void CALLBACK PressOkThenCancel(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = ::FindWindowA("#32770", "時間変更");
    if (!dialog || !::IsWindowVisible(dialog)) return;
    if (!refusingDialog) {
        refusingDialog = dialog;
        ::SetDlgItemTextA(dialog, IDC_TIME_HOURS, refusalInUse->hours);
        ::SetDlgItemTextA(dialog, IDC_TIME_MINUTES, refusalInUse->minutes);
        ::SetDlgItemTextA(dialog, IDC_TIME_SECONDS, refusalInUse->seconds);
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
    }
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(refusingDialog, dialog) << "OK closed the dialog";
    HWND field = ::GetDlgItem(dialog, refusalInUse->field);
    EXPECT_EQ(field, ::GetFocus());
    DWORD start = 1, end = 0;
    ::SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowTextLengthA(field)), end) << "the text is not selected";
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(TimeDialog, OkRefusesATimeThatCanNeverComeAndStaysOpenOnTheField) {
    const Refusal rows[] = {
        {"an emptied seconds field was taken", "7", "05", "", IDC_TIME_SECONDS,
         "秒は 0 から 59 までの数字で入力してください"},
        {"hour 24 was taken", "24", "05", "00", IDC_TIME_HOURS,
         "時は 0 から 23 までの数字で入力してください"},
        {"minute 60 was taken", "7", "60", "00", IDC_TIME_MINUTES,
         "分は 0 から 59 までの数字で入力してください"},
    };
    for (const Refusal& row : rows) {
        SCOPED_TRACE(row.fault);
        VirtualClock clock;
        auto* window = StartWindow<aubade::TimedWindow>("7:05 notepad.exe");
        refusalInUse = &row;
        refusingDialog = nullptr;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, PressOkThenCancel);
        EXPECT_EQ(0, window->ChangeTime());
        ::KillTimer(nullptr, timer);
        ASSERT_EQ(1u, clock.boxes.size());
        EXPECT_EQ(row.box, clock.boxes[0].text);
        EXPECT_EQ("ERROR", clock.boxes[0].caption);
        EXPECT_EQ(0u, clock.boxes[0].type);
        EXPECT_EQ(refusingDialog, clock.boxes[0].owner);
        EXPECT_EQ(std::vector<UINT>{0}, clock.beeps);
        EXPECT_STREQ("7:05:00", window->timeText);
        EndWindow(window);
    }
}

// The firing here comes from the clock's change itself, not from a tick.
TEST(Countdown, TheTimerTicksEvery200MsAndPauses2000MsAfterAFiring) {
    VirtualClock clock;
    clock.SetTime(8, 7, 4, 59, 0);
    auto* window = StartWindow<aubade::TimedWindow>("7:05 notepad.exe, , ,-c");
    auto within = [](DWORD period, DWORD expected) {
        return period >= expected * 4 / 5 && period <= expected * 8 / 5;
    };
    const DWORD tick = TimerPeriod(window->hwnd, timed::kClockTimer);
    EXPECT_TRUE(within(tick, 200)) << "ticks every " << tick << " ms";
    clock.SetTime(8, 7, 5, 0, 0);
    ::SendMessageA(window->hwnd, WM_TIMECHANGE, 0, 0);
    ASSERT_EQ(1u, clock.shellCalls.size()) << "a clock change was not judged at once";
    const DWORD pause = TimerPeriod(window->hwnd, timed::kClockTimer, 1);
    EXPECT_TRUE(within(pause, 2000)) << "pauses " << pause << " ms after firing";
    window->OnTimer(timed::kClockTimer);  // the tick after the pause
    const DWORD after = TimerPeriod(window->hwnd, timed::kClockTimer);
    EXPECT_TRUE(within(after, 200)) << "ticks every " << after << " ms after the pause";
    EndWindow(window);
}

// The shell's own error box runs a modal loop while the launch is made.
class ShellWithBox : public VirtualClock {
public:
    BOOL ShellOpenEx(SHELLEXECUTEINFOA* info) override {
        BOOL result = VirtualClock::ShellOpenEx(info);
        const DWORD end = ::GetTickCount() + 500;
        MSG message;
        while (shellCalls.size() == 1 && static_cast<int>(end - ::GetTickCount()) > 0) {
            while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return result;
    }
};

TEST(Countdown, AShellBoxOpenWhileFiringDoesNotFireAgain) {
    ShellWithBox clock;
    clock.SetTime(8, 7, 4, 59, 0);
    auto* window = StartWindow<aubade::TimedWindow>("7:05 notepad.exe, , ,-c");
    clock.SetTime(8, 7, 5, 0, 0);
    window->OnTimer(timed::kClockTimer);
    EXPECT_EQ(1u, clock.shellCalls.size());
    EndWindow(window);
}

}  // namespace
