// The tray window: a main frame window with an icon in the notification
// area and two popup menus, opened by the left and the right mouse button.
#ifndef KIVORA_WPTRAYWIN_H
#define KIVORA_WPTRAYWIN_H

#include <windows.h>
#include <shellapi.h>

#include "wpmainwin.h"

// The record sent to the shell is the first version's: 88 bytes, tip of at
// most 63 characters.
#ifndef _WIN64  // the 64-bit test build has its own record layout
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "first-version NOTIFYICONDATAA is 88 bytes");
#endif

// Callback message of the tray icon.
const UINT kTrayMessage = 1010;

class WPTrayWin : public WPMainWin {
public:
    // A main frame window named "MAINWIN" with two empty popup menus.
    WPTrayWin();

    // A new taskbar (the shell restarted) gets this window's icons again,
    // before the message goes its usual way: a program's own OnOther need
    // not pass it on for its icon to come back.
    LRESULT HandleMessage(WPMsg& msg) override;
    // The callback message goes to the tray handler; the rest as WPMainWin.
    int OnOther(WPMsg& msg) override;

    // NIM_ADD, NIM_MODIFY, NIM_DELETE; each returns the shell's answer. A
    // missing tip is sent empty, a longer one cut to 63 characters.
    // The window keeps its own view of its icons: an add shows an icon (even
    // when the shell was not there to take it), a modify changes a shown
    // one, a delete hides it. Only shown icons come back with a new taskbar.
    BOOL AddTrayIcon(UINT id, HICON icon, const char* tip);
    BOOL ModifyTrayIcon(UINT id, HICON icon, const char* tip);
    BOOL DeleteTrayIcon(UINT id);
    // Asks in the warning box whether icon id may stay away until the next
    // start, and deletes it on OK. The program runs on without it.
    void HideTrayIconIfConfirmed(UINT id);
    // One of the program's own modal dialogs or boxes is open over this
    // window (running, it disables the window): the tray opens no menu then.
    bool ModalOpen() const;

    WPMenu leftMenu;
    WPMenu rightMenu;

    // How many icons one window keeps in its view (the programs show one).
    static const int kMaxTrayIcons = 4;

private:
    // One icon as the program last showed it.
    struct ShownIcon {
        bool shown;
        UINT id;
        HICON icon;
        char tip[64];
    };

    BOOL NotifyShell(DWORD message, UINT id, HICON icon, const char* tip);
    // Left press: leftMenu; right press: rightMenu; anything else swallowed.
    // While ModalOpen a press brings the dialog forward instead.
    int OnTrayNotify(LPARAM mouseMessage);
    ShownIcon* FindShown(UINT id);
    void AddAgainAfterShellRestart();

    ShownIcon shownIcons_[kMaxTrayIcons] = {};
    // The shell's registered "TaskbarCreated" message (0 if registering failed).
    UINT taskbarCreated_ = 0;
    // The shell knows an icon by the window it was added with. The object can
    // outlive its window (a handler's nested loop saw it closed), and its
    // destructor's delete must still name that window.
    HWND iconWindow_ = nullptr;
};

#endif
