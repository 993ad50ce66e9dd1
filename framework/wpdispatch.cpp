// Message routing of window objects: HandleMessage, Dispatch and the
// default handlers.
#include "wpwin.h"

LRESULT WPWin::HandleMessage(WPMsg& msg) {
    switch (msg.msg) {
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_QUERYOPEN:
        return OnQueryOpen();
    }
    if (Dispatch(msg)) return msg.result;
    return CallOldProc(msg);
}

namespace {

int SignedLow(LPARAM value) { return static_cast<short>(LOWORD(value)); }
int SignedHigh(LPARAM value) { return static_cast<short>(HIWORD(value)); }

// The own scroll bars of a window send no bar handle: -1 vertical, -2
// horizontal; a scroll-bar control is named by its control id.
int ScrollBarId(UINT message, LPARAM bar) {
    if (bar) return GetDlgCtrlID(reinterpret_cast<HWND>(bar));
    return message == WM_VSCROLL ? -1 : -2;
}

}  // namespace

int WPWin::Dispatch(WPMsg& msg) {
    const UINT m = msg.msg;
    const WPARAM w = msg.wParam;
    const LPARAM l = msg.lParam;
    if ((m >= 0xA1 && m <= 0xA9) || (m >= WM_MOUSEMOVE && m <= 0x209))
        return OnMouse(m, SignedLow(l), SignedHigh(l), w);
    if (m >= WM_KEYDOWN && m <= WM_DEADCHAR) return OnKey(msg);
    switch (m) {
    case WM_MOVE:
        // Signed like the mouse coordinates: a window left of or above its
        // parent's origin has a negative position, not one near 65535.
        return OnMove(SignedLow(l), SignedHigh(l));
    case WM_SIZE: {
        WPRect rect;
        GetClientRect(rect);
        rect.SetWidth(LOWORD(l));
        rect.SetHeight(HIWORD(l));
        return OnSize(rect, static_cast<int>(w));
    }
    case WM_ACTIVATE:
        return OnActivate(static_cast<int>(w), HIWORD(w));
    case WM_SETFOCUS:
        return OnSetFocus(GetWin(reinterpret_cast<HWND>(w)));
    case WM_KILLFOCUS:
        return OnKillFocus(GetWin(reinterpret_cast<HWND>(w)));
    case WM_ENABLE:
        return OnEnable(static_cast<int>(w));
    case WM_PAINT:
        return OnPaint();
    case WM_CLOSE:
        return OnClose();
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(l));
    case WM_NOTIFY:
        return OnNotify(msg);
    case WM_COMMAND:
        return OnCommand(LOWORD(w), HIWORD(w));
    case WM_SYSCOMMAND:
        return OnCommand(LOWORD(w), 0);
    case WM_TIMER:
        return OnTimer(static_cast<UINT>(w));
    case WM_HSCROLL:
    case WM_VSCROLL:
        return OnScroll(LOWORD(w), ScrollBarId(m, l), HIWORD(w));
    case WM_INITMENU: {
        WPMenu menu(reinterpret_cast<HMENU>(w));
        return OnInitMenu(menu);
    }
    case WM_MENUSELECT:
        return OnMenuSelect(LOWORD(w), reinterpret_cast<HMENU>(l));
    default:
        return OnOther(msg);
    }
}

int WPWin::OnActivate(int, int) { return 0; }
int WPWin::OnClose() { return 0; }
int WPWin::OnCommand(int, int) { return 0; }
int WPWin::OnEnable(int) { return 0; }
int WPWin::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
int WPWin::OnSetFocus(WPWin*) { return 0; }
int WPWin::OnKey(WPMsg&) { return 0; }
int WPWin::OnKillFocus(WPWin*) { return 0; }
int WPWin::OnInitMenu(WPMenu&) { return 0; }
int WPWin::OnMenuSelect(int, HMENU) { return 0; }
int WPWin::OnMouse(UINT, int, int, WPARAM) { return 0; }
int WPWin::OnMove(int, int) { return 0; }
int WPWin::OnPaint() { return 0; }
int WPWin::OnQueryEndSession() { return 1; }
int WPWin::OnQueryOpen() { return 1; }
int WPWin::OnScroll(int, int, int) { return 0; }
int WPWin::OnSize(WPRect&, int) { return 0; }
int WPWin::OnTimer(UINT) { return 0; }
int WPWin::OnOther(WPMsg&) { return 0; }
int WPWin::OnNotify(WPMsg&) { return 0; }
