#include "wpwin.h"

#include "wpapp.h"

void WPMenu::Create() { hmenu = CreateMenu(); }
void WPMenu::CreatePopup() { hmenu = CreatePopupMenu(); }

void WPMenu::Destroy() {
    if (hmenu) DestroyMenu(hmenu);
    hmenu = nullptr;
}

BOOL WPMenu::Append(UINT flags, UINT_PTR id, const char* text) {
    return AppendMenuA(hmenu, flags, id, text);
}

BOOL WPMenu::AppendPopup(const WPMenu& sub, const char* text, UINT flags) {
    return AppendMenuA(hmenu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.hmenu), text);
}

DWORD WPMenu::Check(UINT item, int checked, UINT flags) {
    return CheckMenuItem(hmenu, item, checked ? flags | MF_CHECKED : flags);
}

BOOL WPMenu::Enable(UINT item, int enabled, UINT flags) {
    return EnableMenuItem(hmenu, item, enabled ? flags : flags | MF_GRAYED);
}

UINT WPMenu::ItemId(int position) const { return GetMenuItemID(hmenu, position); }

WPMenu WPMenu::OfWindow(const WPWin* win) {
    return WPMenu(win && win->hwnd ? GetMenu(win->hwnd) : nullptr);
}

BOOL WPMenu::Popup(const WPPoint& at, const WPWin* owner) {
    const int quitsBefore = wpApp.quitsPosted;
    BOOL chosen = TrackPopupMenu(hmenu, TPM_LEFTBUTTON, at.x, at.y, 0, owner ? owner->hwnd : nullptr,
                                 nullptr);
    // A timer's handler may end the program while the menu is open; the
    // menu's loop (Wine's) then takes the quit for itself and stays open,
    // so the quit is posted again for the loop that ends the program.
    if (wpApp.quitsPosted != quitsBefore) PostQuitMessage(wpApp.lastQuitCode);
    return chosen;
}
