// The framework window procedure: every bound window's messages enter here.
#include "wpwin.h"

LRESULT CALLBACK WPWinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WPWin* win = WPWin::GetWin(hwnd);
    if (!WPCheck(win != nullptr, "win")) {
        // No object to hand the message to: default processing.
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        // An object made with new belongs to its window; others are only
        // unbound and ended by their owner.
        if (win->deletable)
            delete win;
        else
            win->Detach();
        return 0;
    }
    WPMsg msg = {message, wParam, lParam, 0};
    return win->HandleMessage(msg);
}
