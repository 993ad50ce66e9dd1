#include "launcherwindow.h"

#include "caption.h"
#include "capturerule.h"
#include "launchrequest.h"
#include "placement.h"
#include "wpapp.h"
#include "wpnoticewin.h"
#include "wpplatform.h"

namespace lofter {

char commandText[kCommandTextSize];

const char kLaunchFailedText[] = "ファイルが実行出来ません";

namespace {

const char kLaunchFailedCaption[] = "   ERROR !!";

WPRect ScreenRect() {
    RECT r = {};
    ::GetWindowRect(::GetDesktopWindow(), &r);
    return WPRect(r.left, r.top, r.right, r.bottom);
}

void AddToLayout(const RECT& r, bool primary, void* layout) {
    NumberMonitor(static_cast<ScreenLayout*>(layout), WPRect(r.left, r.top, r.right, r.bottom), primary);
}

// The primary screen and the monitors by their numbers.
ScreenLayout Screens() {
    ScreenLayout screens(ScreenRect());
    Platform().ListMonitors(AddToLayout, &screens);
    return screens;
}

BOOL CALLBACK AddIfShown(HWND window, LPARAM list) {
    if (::IsWindowVisible(window)) reinterpret_cast<WindowList*>(list)->Add(WindowId(window));
    return TRUE;
}

// Tool windows (palettes, floating bars) are no program's main window.
BOOL CALLBACK AddIfCapturable(HWND window, LPARAM list) {
    if (::IsWindowVisible(window) && !(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
        MayCapture(window))
        reinterpret_cast<WindowList*>(list)->Add(WindowId(window));
    return TRUE;
}

// The window's rectangle, all 0 when there is no such window.
WPRect RectOf(HWND window) {
    RECT r = {};
    ::GetWindowRect(window, &r);
    return WPRect(r.left, r.top, r.right, r.bottom);
}

bool SameRect(const WPRect& a, const WPRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

LauncherWindow::LauncherWindow() {
    timings.loadTimes();
    ReadLaunchRequest(commandText, sizeof commandText, Screens(), &settings, &start);
    if (settings.responseFailed) {
        WPNotice boxes[2];
        CommandLineErrorBoxes(settings, boxes);
        ShowNotices(boxes, 1, nullptr);  // the response-file box comes first
        finish();
    }

    char caption[kCaptionSize];
    BuildCaption(settings.program, caption, sizeof caption);
    CreateTitled(caption);

    // The shell's call and the boxes run loops in which the window can be
    // closed (taskkill without /f, say). Start-up then stops: the boxes not
    // yet shown are dropped, no icon or menu is made, and the program ends
    // with 0 once the loop runs; the framework deletes the object only after
    // this constructor has returned.
    if (startProgram() && hwnd) {
        trayIcon = wpApp.LoadIcon("SwitchWindow");
        AddTrayIcon(kTrayIconId, trayIcon, caption);
        buildMenus();
    }
    starting_ = false;
    if (quitDeferred_) wpApp.PostQuit(0);
}

LauncherWindow::~LauncherWindow() {
    DeleteTrayIcon(kTrayIconId);
    KillTimer(kReturnTimer);
    finish();
}

int LauncherWindow::startProgram() {
    if (settings.noProgram) {
        reportStartError();
        return 0;
    }
    launch();
    if (settings.launchFailed) {
        reportStartError();
        return 0;
    }
    SetTimer(kWatchTimer, kWatchPeriod);
    return 1;
}

void LauncherWindow::launch() {
    // Noted before the shell's call: the program may show a window at once.
    // A note that could not hold every window cannot tell the new ones.
    if (settings.captureNew) {
        ::EnumWindows(AddIfShown, reinterpret_cast<LPARAM>(&shownBeforeStart_));
        waitingForNew_ = shownBeforeStart_.Complete();
    }
    HINSTANCE result = Platform().ShellOpen(nullptr, nullptr, settings.program, settings.arguments,
                                            start.workDir, start.showCommand);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        settings.nothingToUndo = 1;
        settings.launchFailed = 1;
        return;
    }
    moveWanted = settings.x >= 0 && settings.y >= 0;
    sizeWanted = settings.h >= 0 && settings.w >= 0;
    if (start.noPlacement) {
        moveWanted = 0;
        sizeWanted = 0;
        settings.topMost = 0;
    }
    SetTimer(kCaptureTimer, timings.captureDelay);
    if (settings.autoReturn) StartReturnTimer();
}

int LauncherWindow::OnTimer(UINT id) {
    switch (id) {
    case kWatchTimer:
        // A window that no longer exists has no thread.
        if (target && ::GetWindowThreadProcessId(target, nullptr) == 0) {
            KillTimer(kWatchTimer);
            finish();
        }
        break;
    case kCaptureTimer: {
        HWND window;
        if (!ChooseTarget(&window)) {
            lookedAgain_ = true;
            SetTimer(kCaptureTimer, kCaptureRetryPeriod);
            break;
        }
        target = window;
        capturedRect = RectOf(target);
        place();
        KillTimer(kCaptureTimer);
        break;
    }
    case kReturnTimer:
        // capturedRect is from before the first placement, so a placed
        // window differs from it and is placed again on every tick.
        if (!SameRect(RectOf(target), capturedRect)) place();
        break;
    default:
        break;
    }
    return 1;
}

bool LauncherWindow::ChooseTarget(HWND* window) {
    if (waitingForNew_) {
        WindowList shown;
        ::EnumWindows(AddIfCapturable, reinterpret_cast<LPARAM>(&shown));
        const WindowId chosen =
            ChooseNewWindow(shownBeforeStart_, WindowId(::GetForegroundWindow()), shown);
        if (chosen) {
            *window = reinterpret_cast<HWND>(chosen);
            return true;
        }
        const DWORD now = Platform().TickCount();
        if (!waitStarted_) {
            waitStarted_ = true;
            waitStart_ = now;
        }
        if (now - waitStart_ < kNewWindowWait) return false;
        waitingForNew_ = false;  // from now on the foreground window, as without c=NEW
    }
    // Whatever is in the foreground now is taken as the program's window,
    // as soon as it may be.
    *window = ::GetForegroundWindow();
    // While the user switches windows there is no foreground window for a
    // moment. The first look takes even that, as it always did (nothing is
    // placed then); a look again waits for the window being switched to.
    if (!*window && lookedAgain_) return false;
    return MayCapture(*window);
}

void LauncherWindow::place() {
    const PlacementCall call = ChoosePlacement(settings, moveWanted != 0, sizeWanted != 0);
    if (call.movesOrSizes && (::IsZoomed(target) || ::IsIconic(target))) ::ShowWindow(target, SW_RESTORE);
    HWND insertAfter = call.insertAfter == kInsertTopMost ? HWND_TOPMOST : HWND_NOTOPMOST;
    ::SetWindowPos(target, insertAfter, call.x, call.y, call.cx, call.cy, call.flags);
    if (call.leavesNothingToUndo) settings.nothingToUndo = 1;
    if (PlacementEndsRun(settings)) finish();
}

void LauncherWindow::finish() {
    // Nothing captured: nothing was made top-most.
    if (!settings.nothingToUndo && target)
        ::SetWindowPos(target, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    DeleteTrayIcon(kTrayIconId);
    if (starting_)
        quitDeferred_ = true;
    else
        wpApp.PostQuit(0);
}

void LauncherWindow::reportStartError() {
    if (settings.noProgram) {
        WPNotice boxes[2];
        int count = CommandLineErrorBoxes(settings, boxes);
        ShowNotices(&boxes[count - 1], 1, hwnd);  // the usage box comes last
    }
    // A window closed during the shell's call takes its box with it.
    if (settings.launchFailed == 1 && hwnd) {
        Platform().Beep(0);
        MsgBox(kLaunchFailedText, kLaunchFailedCaption, MB_OK);
    }
    finish();
}

int LauncherWindow::OnActivate(int state, int minimized) {
    if (LOWORD(state) != WA_INACTIVE) return WPTrayWin::OnActivate(state, minimized);
    // The tray menu has closed: watch and put back again.
    SetTimer(kWatchTimer, kWatchPeriod);
    if (settings.autoReturn && !dialogOpen) StartReturnTimer();
    return 1;
}

}  // namespace lofter
