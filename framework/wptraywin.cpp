#include "wptraywin.h"

#include "wpplatform.h"
#include "wptext.h"

WPTrayWin::WPTrayWin() : WPMainWin("MAINWIN") {
    leftMenu.CreatePopup();
    rightMenu.CreatePopup();
}

int WPTrayWin::OnOther(WPMsg& msg) {
    if (msg.msg == kTrayMessage)
        return OnTrayNotify(msg.lParam);
    return WPMainWin::OnOther(msg);
}

BOOL WPTrayWin::AddTrayIcon(UINT id, HICON icon, const char* tip) {
    return NotifyShell(NIM_ADD, id, icon, tip);
}

BOOL WPTrayWin::ModifyTrayIcon(UINT id, HICON icon, const char* tip) {
    return NotifyShell(NIM_MODIFY, id, icon, tip);
}

BOOL WPTrayWin::DeleteTrayIcon(UINT id) { return NotifyShell(NIM_DELETE, id, nullptr, ""); }

BOOL WPTrayWin::NotifyShell(DWORD message, UINT id, HICON icon, const char* tip) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hwnd;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon;
    // The first-version record has room for 64 bytes of tip.
    CopyText(data.szTip, 64, tip ? tip : "");
    return Platform().NotifyIcon(message, &data);
}

int WPTrayWin::OnTrayNotify(LPARAM mouseMessage) {
    WPMenu* menu = nullptr;
    if (mouseMessage == WM_LBUTTONDOWN)
        menu = &leftMenu;
    else if (mouseMessage == WM_RBUTTONDOWN)
        menu = &rightMenu;
    if (!menu)
        return 1;
    POINT at;
    Platform().CursorPos(&at);
    // Foreground first, so that the menu closes when the user clicks away.
    ::SetForegroundWindow(hwnd);
    menu->Popup(WPPoint(at.x, at.y), this);
    return 1;
}
