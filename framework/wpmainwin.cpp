#include "wpmainwin.h"

#include "wpapp.h"

WPMainWin::WPMainWin(const char* className) : WPWin(className) {
    createTemplate.title = className;
    createTemplate.style = WS_OVERLAPPEDWINDOW;
    createTemplate.menuName = "AppMenu";
    HICON icon = ::LoadIconA(wpApp.hinst, "AppIcon");
    createTemplate.icon = icon ? icon : ::LoadIconA(nullptr, IDI_APPLICATION);
}

WPMainWin::~WPMainWin() {
    // The loop asks mainWin for idle work; it must not reach a dead object.
    if (wpApp.mainWin == this) wpApp.mainWin = nullptr;
    if (!keepRunning) PostQuitMessage(0);
}

int WPMainWin::OnIdle() { return 0; }
