// The rectangle operations that ask the window manager.
#include "wprect.h"

#include "wpwin.h"

namespace {

WPRect Screen() {
    RECT r = {};
    ::GetWindowRect(GetDesktopWindow(), &r);
    return WPRect(r.left, r.top, r.right, r.bottom);
}

}  // namespace

void WPRect::SetClient(const WPWin* win) {
    if (!win || !win->hwnd) {
        *this = Screen();
        return;
    }
    win->GetClientRect(*this);
}

void WPRect::SetWindow(const WPWin* win) {
    if (!win || !win->hwnd) {
        *this = Screen();
        return;
    }
    win->GetWindowRect(*this);
}
