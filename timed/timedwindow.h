// The main window that the two timed programs share: hidden, present only
// as a tray icon, it looks at the clock every 200 ms and calls the
// program's Fire on the first tick after the clock passed the set time.
//
// The programs' windows differ in their target fields, which sit in a fixed
// order among their fields, so each program declares its own class with
// those fields and derives from TimedWindowBase<ItsClass>; the shared steps
// reach the program's fields and operations through that class:
//   fields   coolDown, noIcon
//   static   kName (class name and caption), UsageBox ()
//   methods  ReadRequest (commandLine) -> parse and normalise, 1 accepted
//            TakeTipSubject () -> the tip's head, computed once the icon is in
//            TipSubject (), Fire ()
#pragma once

#include <windows.h>

#include "appointment.h"
#include "commandlinecopy.h"
#include "settime.h"
#include "timechangedialog.h"
#include "traytip.h"
#include "wpapp.h"
#include "wpnoticewin.h"
#include "wpplatform.h"
#include "wptraywin.h"

namespace timed {

// Menu commands of the tray menu besides the framework's close and About.
const int kCmdChangeTime = 10;  // IDM_CHANGE_TIME
const int kCmdHideIcon = 11;    // IDM_HIDE_ICON

const UINT kTrayIconId = 1;
const UINT_PTR kClockTimer = 1;
const UINT kTickMs = 200;
// The tick after a firing comes this much later and only re-arms the
// 200 ms timer.
const UINT kPauseAfterFireMs = 2000;

const DWORD kStringItem = MF_STRING;
extern const char kMenuClose[];
extern const char kMenuChangeTime[];
extern const char kMenuHideIcon[];
extern const char kMenuAbout[];

// tmHeight + tmExternalLeading of the screen's default font.
int ScreenLineHeight();

// The local date and time from the platform's clock.
LocalDateTime LocalNow();

template <class Window>
class TimedWindowBase : public WPTrayWin {
public:
    // The replaced virtual operations, in their order.
    ~TimedWindowBase() override { DeleteTrayIcon(kTrayIconId); }

    // The window is never seen.
    int OnActivate(int state, int minimized) override {
        Show(SW_HIDE);
        return 0;
    }

    int OnCommand(int id, int code) override {
        switch (id) {
        case kCmdChangeTime:
            ChangeTime();
            return 1;
        case kCmdHideIcon:
            // Only the icon goes; noIcon keeps what the command line said.
            HideTrayIconIfConfirmed(kTrayIconId);
            return 1;
        default:
            return WPTrayWin::OnCommand(id, code);
        }
    }

    int OnTimer(UINT id) override {
        Window& self = Program();
        if (self.coolDown) {
            KillTimer(kClockTimer);
            SetTimer(kClockTimer, kTickMs);
            self.coolDown = 0;
        } else {
            LookAtClock();
        }
        return 1;
    }

    // A clock set back or forward is judged at once, not up to a pause later.
    int OnOther(WPMsg& msg) override {
        if (msg.msg == WM_TIMECHANGE) LookAtClock();
        return WPTrayWin::OnOther(msg);
    }

    // The time dialog, which takes only a time the clock shows. On OK the
    // new time and the tip are in force at once, as a new appointment. The
    // timer is left as it is.
    int ChangeTime() {
        // One dialog at a time: a second one (a posted command 10, or the
        // menu once a firing's shell box has enabled the window again) would
        // have its OK overwritten by the first one's.
        if (timeDialogOpen_) return 0;
        TimeParts parts{hourText, minuteText, secondText};
        timeDialogOpen_ = true;
        const TimeDialogResult result = AskTimeParts(this, parts);
        timeDialogOpen_ = false;
        if (result != TimeDialogResult::Confirmed || !hwnd) return 0;
        ComposeTimeText(TextField{timeText, sizeof timeText}, hourText, minuteText, secondText);
        Appoint();
        char tip[kTipWorkSize];
        ModifyTrayIcon(kTrayIconId, icon, BuildTip(tip));
        return 1;
    }

    HICON icon = nullptr;
    char timeText[kTimeTextSize] = {};
    char hourText[kTimePartSize] = {};
    char minuteText[kTimePartSize] = {};
    char secondText[kTimePartSize] = {};
    Appointment appointment;

protected:
    TimedWindowBase() = default;

    // The construction's steps after the program set its fields' initial
    // values: read the command line (or refuse it with nothing else made),
    // then the hidden window, the menu, the icon and the timer.
    void SetUp() {
        Window& self = Program();
        if (commandLine.cut || !self.ReadRequest(commandLine.text)) {
            WPNotice usage = Window::UsageBox();
            ShowNotices(&usage, 1, nullptr);
            wpApp.PostQuit(0);
            return;
        }
        int lineHeight = ScreenLineHeight();
        createTemplate.style |= WS_MINIMIZE;
        createTemplate.classnm = Window::kName;
        createTemplate.width = 200;
        createTemplate.height = 2 * lineHeight;
        CreateTitled(Window::kName);

        leftMenu.Append(kStringItem, kCmdClose, kMenuClose);
        leftMenu.Append(kStringItem, kCmdChangeTime, kMenuChangeTime);
        leftMenu.Append(kStringItem, kCmdHideIcon, kMenuHideIcon);
        leftMenu.Append(kStringItem, kCmdAbout, kMenuAbout);

        icon = ::LoadIconA(wpApp.hinst, "AppIcon");
        self.TakeTipSubject();
        char tip[kTipWorkSize];
        BuildTip(tip);
        if (!self.noIcon) AddTrayIcon(kTrayIconId, icon, tip);
        Appoint();
        SetTimer(kClockTimer, kTickMs);
    }

    // After a firing that ends the program.
    void EndAfterFiring() {
        KillTimer(kClockTimer);
        DeleteTrayIcon(kTrayIconId);
        wpApp.PostQuit(0);
    }

private:
    Window& Program() { return static_cast<Window&>(*this); }

    bool timeDialogOpen_ = false;

    // The set time as numbers, watched from now.
    void Appoint() { appointment.Set(ClockTimeOf(hourText, minuteText, secondText), LocalNow()); }

    // Fires when the clock has passed the set time since the last look.
    void LookAtClock() {
        if (!appointment.Due(LocalNow())) return;
        Window& self = Program();
        KillTimer(kClockTimer);
        self.Fire();
        // The shell's own box about a target it cannot open runs a loop in
        // which the window may have been closed: then nothing is left to time.
        if (!hwnd) return;
        SetTimer(kClockTimer, kPauseAfterFireMs);
        self.coolDown = 1;
    }

    // "subject time" in a buffer of kTipWorkSize; the tray shows its first
    // 63 characters.
    const char* BuildTip(char* tip) {
        ComposeTip(tip, kTipWorkSize, Program().TipSubject(), timeText);
        return tip;
    }
};

}  // namespace timed
