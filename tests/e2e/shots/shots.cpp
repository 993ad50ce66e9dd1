// Makes the screenshots of the user documentation from the real programs:
// starts each one as a user would, brings up each of its views (tray menus,
// dialogs, message boxes, volley's window during a run) and saves the window
// of interest as NAME.bmp in the current folder. `./dev shots` runs it on a
// private display and turns the files into docs/screenshots/NAME.png.
//
// usage: kivora_shots [lofter|volley|aubade|nocturne]...   (default: all)
#include "harness.h"
#include "lofter_keys.h"
#include "screen_capture.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The suite's tray protocol and menu commands.
const UINT kTrayMessage = 1010;
const WPARAM kTrayIconId = 1;
const WPARAM kCmdExit = 512;
const WPARAM kCmdAbout = 532;
const WPARAM kLofterPlacementDialog = 12;
const WPARAM kLofterTimingDialog = 13;
const WPARAM kLofterHideIcon = 14;
const WPARAM kTimedChangeTime = 10;
const WPARAM kTimedHideIcon = 11;
// A control that tells each dialog apart.
const int kPlacementUseCurrentButton = 34;
const int kTimingDelayEdit = 18;
const int kTimeHourEdit = 20;

const char kPopupMenuClass[] = "#32768";

const DWORD kWaitMs = 10000;
// Long enough for a window that has just appeared to have painted itself.
const DWORD kSettleMs = 400;
// Wine's taskbar puts the newest tray icon at its right end, about this far
// in from the screen's right edge.
const LONG kTrayIconInset = 10;
const char kTaskbarClass[] = "Shell_TrayWnd";
// Where the taskbar's top edge is when it cannot be found.
const LONG kTaskbarHeight = 20;

// Notepad's own key, removed so that Notepad opens as on a new machine
// (lofter's timing keys are set to the defaults, for the timing dialog).
const char kNotepadKey[] = "Software\\Microsoft\\Notepad";

int failures = 0;
// The folder the pictures go to: the current one at the start (the volley
// views run in a folder of their own).
std::string outputFolder;

void Fail(const char* shot, const char* what) {
    fprintf(stderr, "shots: %s: %s\n", shot, what);
    ++failures;
}

RECT Screen() {
    RECT r;
    GetWindowRect(GetDesktopWindow(), &r);
    return r;
}

LONG TaskbarTop() {
    e2e::WindowQuery query;
    query.className = kTaskbarClass;
    query.visibleOnly = true;
    std::vector<HWND> bars = e2e::FindWindows(query);
    return bars.empty() ? Screen().bottom - kTaskbarHeight : e2e::WindowRect(bars.front()).top;
}

void Save(const char* name, const RECT& area) {
    const RECT r = shots::ClipToScreen(area);
    if (!shots::CaptureToBmp(r, outputFolder + "\\" + name + ".bmp")) {
        Fail(name, "could not capture the screen");
        return;
    }
    printf("%s %ldx%ld\n", name, r.right - r.left, r.bottom - r.top);
    fflush(stdout);
}

// Lets the window paint, then saves its rectangle.
void ShootWindow(const char* name, HWND window) {
    if (!window) {
        Fail(name, "the window did not appear");
        return;
    }
    e2e::PumpFor(kSettleMs);
    Save(name, e2e::WindowRect(window));
}

std::string Beside(const char* exe) { return e2e::BesideTests(exe); }

HWND WaitForVisible(const char* className, DWORD processId) {
    e2e::WindowQuery query;
    query.className = className;
    query.processId = processId;
    query.visibleOnly = true;
    return e2e::WaitForWindow(query, kWaitMs);
}

// The program's main window, which is hidden in the tray programs.
HWND MainWindow(const e2e::Program& program, const char* className) {
    e2e::WindowQuery query;
    query.className = className;
    query.processId = program.Id();
    return e2e::WaitForWindow(query, kWaitMs);
}

// Opens the tray menu as a click on the icon does: the cursor on the icon,
// then the callback the shell sends for a left-button press. The menu opens
// at the cursor. Keys, if any, then walk the menu (into a submenu). The
// picture holds the open menus and the tray corner under them.
void ShootTrayMenu(const char* name, const e2e::Program& program, HWND main,
                   const std::vector<WPARAM>& keys = {}) {
    const RECT screen = Screen();
    // Just above the icon rather than on it, where the icon's tip would
    // show up in the picture.
    SetCursorPos(screen.right - kTrayIconInset, TaskbarTop() - 1);
    PostMessageA(main, kTrayMessage, kTrayIconId, WM_LBUTTONDOWN);
    HWND menu = WaitForVisible(kPopupMenuClass, program.Id());
    if (!menu) {
        Fail(name, "the tray menu did not open");
        return;
    }
    e2e::PumpFor(kSettleMs);
    for (WPARAM key : keys) {
        // The menu's own loop reads the keys from its thread's queue.
        PostMessageA(menu, WM_KEYDOWN, key, 0);
        PostMessageA(menu, WM_KEYUP, key, 0);
        e2e::PumpFor(100);
    }
    if (!keys.empty()) e2e::PumpFor(kSettleMs);
    e2e::WindowQuery open;
    open.className = kPopupMenuClass;
    open.processId = program.Id();
    open.visibleOnly = true;
    RECT area = {screen.right, screen.bottom, screen.right, screen.bottom};
    for (HWND shown : e2e::FindWindows(open)) {
        const RECT r = e2e::WindowRect(shown);
        area.left = std::min(area.left, r.left);
        area.top = std::min(area.top, r.top);
    }
    Save(name, area);
    // What a click elsewhere does: the menu's own loop ends.
    SendMessageTimeoutA(main, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    const DWORD start = GetTickCount();
    while (!e2e::FindWindows(open).empty() && GetTickCount() - start < kWaitMs) e2e::PumpFor(20);
}

// Opens a dialog with a menu command, shoots it and closes it with closeId.
void ShootDialog(const char* name, const e2e::Program& program, HWND main, WPARAM command,
                 int controlId, int closeId) {
    PostMessageA(main, WM_COMMAND, command, 0);
    HWND dialog = e2e::WaitForDialogWith(program.Id(), controlId, kWaitMs);
    ShootWindow(name, dialog);
    if (!dialog) return;
    PostMessageA(dialog, WM_COMMAND, closeId, 0);
    if (!e2e::WaitForWindowGone(dialog, kWaitMs)) Fail(name, "the dialog did not close");
}

// Shoots the next message box of the program and answers it with answerId.
void ShootMessageBox(const char* name, const e2e::Program& program, int answerId) {
    auto box = e2e::WaitForMessageBox(program.Id(), kWaitMs);
    if (!box) {
        Fail(name, "no message box appeared");
        return;
    }
    ShootWindow(name, box->window);
    if (!e2e::PressButton(*box, answerId) || !e2e::WaitForWindowGone(box->window, kWaitMs))
        Fail(name, "the message box did not close");
}

// Starts the program with the tail, shoots the boxes it shows in order
// (each answered with OK; a null name answers one without shooting it) and
// waits for the program to end.
void ShootBoxes(const char* exe, const std::string& tail, std::vector<const char*> names) {
    e2e::Program program;
    if (!program.Start(Beside(exe), tail)) {
        Fail(exe, "could not start");
        return;
    }
    for (const char* name : names) {
        auto box = e2e::WaitForMessageBox(program.Id(), kWaitMs);
        if (!box) {
            Fail(name ? name : exe, "no message box appeared");
            return;
        }
        if (name) ShootWindow(name, box->window);
        e2e::PressButton(*box, IDOK);
        e2e::WaitForWindowGone(box->window, kWaitMs);
    }
    if (!program.WaitForExit(kWaitMs)) Fail(exe, "did not end after its boxes");
}

void EndProgram(const char* exe, e2e::Program& program, HWND main) {
    PostMessageA(main, WM_COMMAND, kCmdExit, 0);
    if (!program.WaitForExit(kWaitMs)) Fail(exe, "did not end from its menu");
}

void ShootLofter() {
    e2e::CloseWindowsOfClass("Notepad");
    e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey);
    e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterDelayKey, "1000");
    e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterIntervalKey, "500");

    // Notepad top-most in the upper left, clear of the boxes that open in
    // the middle of the screen and the dialogs that open at the tray.
    e2e::Program lofter;
    if (!lofter.Start(Beside("lofter.exe"), "x=40,y=40,w=440,h=260,z=TOP,e=notepad.exe")) {
        Fail("lofter", "could not start");
        return;
    }
    HWND notepad = WaitForVisible("Notepad", 0);
    if (!notepad || !e2e::WaitForOrigin(notepad, 40, 40, kWaitMs)) {
        Fail("lofter-placed", "Notepad was not placed");
        return;
    }
    e2e::PumpFor(kSettleMs);
    Save("lofter-placed", Screen());
    HWND main = MainWindow(lofter, "MAINWIN");
    ShootTrayMenu("lofter-tray-menu", lofter, main);
    // Down to the fourth item, "設定", and into its submenu.
    ShootTrayMenu("lofter-settings-menu", lofter, main, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
    ShootDialog("lofter-placement-dialog", lofter, main, kLofterPlacementDialog,
                kPlacementUseCurrentButton, IDCANCEL);
    ShootDialog("lofter-timing-dialog", lofter, main, kLofterTimingDialog, kTimingDelayEdit, IDCANCEL);
    ShootDialog("lofter-about", lofter, main, kCmdAbout, IDOK, IDOK);
    PostMessageA(main, WM_COMMAND, kLofterHideIcon, 0);
    ShootMessageBox("lofter-hide-icon", lofter, IDCANCEL);
    EndProgram("lofter", lofter, main);
    e2e::CloseWindowsOfClass("Notepad");

    ShootBoxes("lofter.exe", "", {"lofter-usage"});
    // The unreadable file first, then the usage, since nothing was parsed.
    ShootBoxes("lofter.exe", "r=C:\\no-such-folder\\wide.rsp", {"lofter-response-file-error", nullptr});
    ShootBoxes("lofter.exe", "e=no-such-program.exe", {"lofter-start-error"});
}

bool WriteFile(const char* name, const char* text) {
    FILE* file = fopen(name, "wb");
    if (!file) return false;
    const bool written = fputs(text, file) >= 0;
    return fclose(file) == 0 && written;
}

// The list of the status-window pictures: a program that only records its
// parameter (the e2e probe under a name of its own), a wait long enough to
// catch the window mid-run, and a document that does not exist.
const char kVolleyList[] =
    "記録.exe,開始の記録.txt\r\n"
    "#time,4000\r\n"
    "記録.exe,請求書の印刷.txt\r\n"
    "議事録_2026年12月.txt\r\n"
    "記録.exe,設計メモ.txt\r\n";
const char kVolleyProgram[] = "記録.exe";
const char kFailureBoxPrefix[] = "Line No ";

// Each entry has a row window whose id is the entry's index; once the first
// entry has run, its row has moved up out of the client area and the run
// waits in the #time entry that follows.
bool FirstEntryDone(HWND window) {
    HWND firstRow = window ? GetDlgItem(window, 0) : nullptr;
    if (!firstRow) return false;
    RECT row = e2e::WindowRect(firstRow);
    POINT clientTop = {0, 0};
    ClientToScreen(window, &clientTop);
    return row.top < clientTop.y;
}

void ShootVolleyRun() {
    e2e::Program volley;
    if (!volley.Start(Beside("volley.exe"), "")) {
        Fail("volley", "could not start");
        return;
    }
    HWND window = WaitForVisible("Volleey", volley.Id());
    const DWORD start = GetTickCount();
    while (!FirstEntryDone(window) && GetTickCount() - start < kWaitMs) e2e::PumpFor(20);
    ShootWindow("volley-status-window", window);
    for (;;) {
        auto box = e2e::WaitForMessageBox(volley.Id(), kWaitMs);
        if (!box) {
            Fail("volley-failure", "no failure box appeared");
            break;
        }
        const bool ours = box->text.compare(0, strlen(kFailureBoxPrefix), kFailureBoxPrefix) == 0;
        e2e::PumpFor(kSettleMs);
        if (ours) {
            Save("volley-failure", e2e::WindowRect(box->window));
            // Behind the box, the window shows where the run stopped.
            Save("volley-stopped", e2e::WindowRect(window));
        } else {
            Save("volley-shell-error", e2e::WindowRect(box->window));
        }
        e2e::PressButton(*box, box->buttons.empty() ? IDOK : box->buttons.front().id);
        e2e::WaitForWindowGone(box->window, kWaitMs);
        if (ours) break;
    }
    if (!volley.WaitForExit(kWaitMs)) Fail("volley", "did not end after the failure");
}

void ShootVolley() {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    const char folder[] = "volley-run";
    CreateDirectoryA(folder, nullptr);
    if (!SetCurrentDirectoryA(folder) || !CopyFileA(Beside("volley_probe.exe").c_str(), kVolleyProgram, FALSE) ||
        !WriteFile("Volley.rsp", kVolleyList)) {
        Fail("volley", "could not prepare its folder");
        SetCurrentDirectoryA(previous);
        return;
    }
    ShootVolleyRun();
    // A #time line without a value ends the reading; the entries before it
    // still run once the box is answered.
    if (WriteFile("short.rsp", "記録.exe,開始の記録.txt\r\n#time\r\n記録.exe,設計メモ.txt\r\n"))
        ShootBoxes("volley.exe", "short.rsp", {"volley-time-without-value"});
    else
        Fail("volley-time-without-value", "could not write its list");
    ShootBoxes("volley.exe", "-v", {"volley-version"});
    ShootBoxes("volley.exe", "list.rsp", {"volley-not-found"});
    SetCurrentDirectoryA(previous);
}

// A set time that cannot come while the pictures are taken.
std::string QuietTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour == 7 ? "19:30" : "7:30";
}

void ShootTimed(const char* program, const char* className, const std::string& target) {
    const std::string exe = std::string(program) + ".exe";
    const std::string prefix = std::string(program) + "-";
    auto name = [&](const char* view) { return prefix + view; };

    e2e::Program timed;
    if (!timed.Start(Beside(exe.c_str()), QuietTime() + " " + target)) {
        Fail(program, "could not start");
        return;
    }
    HWND main = MainWindow(timed, className);
    if (!main) {
        Fail(program, "no main window");
        return;
    }
    e2e::PumpFor(kSettleMs);  // the icon is in the tray
    ShootTrayMenu(name("tray-menu").c_str(), timed, main);
    ShootDialog(name("time-dialog").c_str(), timed, main, kTimedChangeTime, kTimeHourEdit, IDCANCEL);
    ShootDialog(name("about").c_str(), timed, main, kCmdAbout, IDOK, IDOK);
    PostMessageA(main, WM_COMMAND, kTimedHideIcon, 0);
    ShootMessageBox(name("hide-icon").c_str(), timed, IDCANCEL);
    EndProgram(program, timed, main);

    const std::string usage = name("usage");
    ShootBoxes(exe.c_str(), "", {usage.c_str()});
}

bool Wanted(int argc, char** argv, const char* program) {
    if (argc < 2) return true;
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], program) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    char folder[MAX_PATH];
    outputFolder.assign(folder, GetCurrentDirectoryA(sizeof folder, folder));
    if (Wanted(argc, argv, "lofter")) ShootLofter();
    if (Wanted(argc, argv, "volley")) ShootVolley();
    if (Wanted(argc, argv, "aubade")) ShootTimed("aubade", "Aubade", "notepad.exe");
    if (Wanted(argc, argv, "nocturne")) ShootTimed("nocturne", "Nocturne", "無題 - メモ帳");
    return failures == 0 ? 0 : 1;
}
