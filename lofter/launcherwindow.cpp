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
    ReadLaunchRequest(commandText, sizeof commandText, ScreenRect(), &settings, &start);
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
        // Whatever is in the foreground now is taken as the program's window,
        // as soon as it may be.
        HWND foreground = ::GetForegroundWindow();
        if (!MayCapture(foreground)) {
            SetTimer(kCaptureTimer, kCaptureRetryPeriod);
            break;
        }
        target = foreground;
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

void LauncherWindow::place() {
    const PlacementCall call = ChoosePlacement(settings, moveWanted != 0, sizeWanted != 0);
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
