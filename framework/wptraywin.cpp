#include "wptraywin.h"

#include "wpplatform.h"
#include "wptext.h"

namespace {
// Broadcast to every top-level window when the shell makes its taskbar anew;
// the icons of the old one are gone.
const char kTaskbarCreatedName[] = "TaskbarCreated";
}  // namespace

WPTrayWin::WPTrayWin() : WPMainWin("MAINWIN") {
    leftMenu.CreatePopup();
    rightMenu.CreatePopup();
    taskbarCreated_ = ::RegisterWindowMessageA(kTaskbarCreatedName);
}

LRESULT WPTrayWin::HandleMessage(WPMsg& msg) {
    if (taskbarCreated_ != 0 && msg.msg == taskbarCreated_)
        AddAgainAfterShellRestart();
    return WPMainWin::HandleMessage(msg);
}

int WPTrayWin::OnOther(WPMsg& msg) {
    if (msg.msg == kTrayMessage)
        return OnTrayNotify(msg.lParam);
    return WPMainWin::OnOther(msg);
}

BOOL WPTrayWin::AddTrayIcon(UINT id, HICON icon, const char* tip) {
    ShownIcon* slot = FindShown(id);
    for (int i = 0; !slot && i < kMaxTrayIcons; ++i)
        if (!shownIcons_[i].shown) slot = &shownIcons_[i];
    // With every slot taken the icon is still added, it only cannot come back.
    if (slot) {
        slot->shown = true;
        slot->id = id;
        slot->icon = icon;
        CopyText(slot->tip, sizeof slot->tip, tip ? tip : "");
    }
    return NotifyShell(NIM_ADD, id, icon, tip);
}

BOOL WPTrayWin::ModifyTrayIcon(UINT id, HICON icon, const char* tip) {
    // A hidden icon stays hidden: the change is kept only for a shown one.
    if (ShownIcon* shown = FindShown(id)) {
        shown->icon = icon;
        CopyText(shown->tip, sizeof shown->tip, tip ? tip : "");
    }
    return NotifyShell(NIM_MODIFY, id, icon, tip);
}

BOOL WPTrayWin::DeleteTrayIcon(UINT id) {
    if (ShownIcon* shown = FindShown(id)) shown->shown = false;
    return NotifyShell(NIM_DELETE, id, nullptr, "");
}

void WPTrayWin::HideTrayIconIfConfirmed(UINT id) {
    static const char question[] = "再起動までの間はﾀｽｸﾄﾚｲに表示させませんが良いですか";
    if (WarningBox(question, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) DeleteTrayIcon(id);
}

bool WPTrayWin::ModalOpen() const { return hwnd && !::IsWindowEnabled(hwnd); }

WPTrayWin::ShownIcon* WPTrayWin::FindShown(UINT id) {
    for (ShownIcon& icon : shownIcons_)
        if (icon.shown && icon.id == id) return &icon;
    return nullptr;
}

void WPTrayWin::AddAgainAfterShellRestart() {
    for (const ShownIcon& icon : shownIcons_)
        if (icon.shown) NotifyShell(NIM_ADD, icon.id, icon.icon, icon.tip);
}

BOOL WPTrayWin::NotifyShell(DWORD message, UINT id, HICON icon, const char* tip) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    if (hwnd) iconWindow_ = hwnd;
    data.hWnd = iconWindow_;
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
    if (ModalOpen()) {
        // A menu over the dialog could end this window under the dialog's
        // feet, or open a second one: the dialog comes forward instead, as
        // the user meant to reach the program.
        HWND dialog = ::GetLastActivePopup(hwnd);
        if (dialog && dialog != hwnd) ::SetForegroundWindow(dialog);
        return 1;
    }
    POINT at;
    Platform().CursorPos(&at);
    // Foreground first, so that the menu closes when the user clicks away.
    ::SetForegroundWindow(hwnd);
    menu->Popup(WPPoint(at.x, at.y), this);
    return 1;
}
