// The rectangle operations that ask the window manager.
#include "wprect.h"

#include "wpwin.h"

namespace {

WPRect FromRECT(const RECT& r) { return WPRect(r.left, r.top, r.right, r.bottom); }

WPRect Screen() {
    RECT r = {};
    ::GetWindowRect(GetDesktopWindow(), &r);
    return FromRECT(r);
}

}  // namespace

void WPRect::SetClient(const WPWin* win) {
    if (!win || !win->hwnd) {
        *this = Screen();
        return;
    }
    RECT r = {};
    ::GetClientRect(win->hwnd, &r);
    *this = FromRECT(r);
}

void WPRect::SetWindow(const WPWin* win) {
    if (!win || !win->hwnd) {
        *this = Screen();
        return;
    }
    RECT r = {};
    ::GetWindowRect(win->hwnd, &r);
    *this = FromRECT(r);
}
