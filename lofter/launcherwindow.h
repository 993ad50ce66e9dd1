// lofter's main window: starts the program, captures the window in the
// foreground after the capture delay and places it; then ends, or stays in
// the tray to keep it top-most, to put it back when it is moved and to undo
// the top-most state at the end.
#pragma once

#include "launchsettings.h"
#include "newwindow.h"
#include "timings.h"
#include "wprect.h"
#include "wptraywin.h"

namespace lofter {

// The program-wide command-line text: the tail, or the word a response file
// gave in its place.
extern char commandText[kCommandTextSize];

enum TimerId : UINT { kWatchTimer = 1, kCaptureTimer = 2, kReturnTimer = 3 };
constexpr UINT kWatchPeriod = 500;  // ms

// With c=NEW, how long past the capture delay lofter waits for the
// program's window before it takes the foreground window instead.
constexpr DWORD kNewWindowWait = 10000;  // ms

constexpr UINT kTrayIconId = 1;

// Tray menu commands of lofter's own (512 and 532 are the framework's).
enum MenuCommand { kCmdTopMost = 10, kCmdAutoReturn = 11, kCmdPlacementDialog = 12,
                   kCmdTimingDialog = 13, kCmdHideIcon = 14 };

extern const char kLaunchFailedText[];

class LauncherWindow : public WPTrayWin {
public:
    // The whole start-up: reads commandText, creates the (hidden) window,
    // starts the program and sets up the tray icon and menu, or reports why
    // it cannot and ends the run.
    LauncherWindow();
    // Removes the icon, stops auto return and undoes the top-most state.
    ~LauncherWindow() override;

    int OnActivate(int state, int minimized) override;
    int OnCommand(int id, int code) override;
    int OnTimer(UINT id) override;
    int OnOther(WPMsg& msg) override;

    // 1 when the program was started.
    int startProgram();
    void launch();
    // Applies the settings to target with one SetWindowPos call; may end the run.
    void place();
    // The end of the run; running it again does no harm.
    void finish();
    void reportStartError();

    void buildMenus();
    void updateChecks();
    void showPlacementDialog();
    void showTimingDialog();

    // The fields, in this order.
    LaunchSettings settings;
    HWND target = nullptr;
    HICON trayIcon = nullptr;
    WPRect capturedRect;
    TimingSettings timings;  // captureDelay, returnInterval
    int moveWanted = 0;
    int sizeWanted = 0;
    LaunchTarget start;      // workDir, showCommand, noPlacement
    int dialogOpen = 0;

private:
    // The window the capture takes now, in window; false while it is to
    // look again later.
    bool ChooseTarget(HWND* window);

    void StartReturnTimer() { SetTimer(kReturnTimer, timings.returnInterval); }
    // A close that reached the window while its dialog ran (the dialog went
    // with it) ends the run: nothing is applied or restarted afterwards.
    bool WindowClosedDuringDialog() const { return hwnd == nullptr; }

    // A quit posted while start-up still shows its boxes would close the
    // next box at once: finish waits for the end of construction then.
    bool starting_ = true;
    bool quitDeferred_ = false;

    // c=NEW: the windows shown before the start, and whether (and since
    // when) the capture still waits for a window that is not among them.
    WindowList shownBeforeStart_;
    bool waitingForNew_ = false;
    bool waitStarted_ = false;
    DWORD waitStart_ = 0;

    // The capture has had to look again at least once.
    bool lookedAgain_ = false;
};

}  // namespace lofter
