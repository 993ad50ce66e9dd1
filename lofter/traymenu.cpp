// The tray icon's menu: top-most and auto return with their check marks,
// the two settings dialogs, hiding the icon, the About box and the end.
#include "launcherwindow.h"

namespace lofter {

namespace {

// Where the two toggles sit in the tray menu.
constexpr int kTopMostPosition = 1;
constexpr int kAutoReturnPosition = 2;

int Toggled(int flag) { return flag == 1 ? 0 : 1; }

}  // namespace

void LauncherWindow::buildMenus() {
    WPMenu settingsMenu;
    settingsMenu.CreatePopup();
    settingsMenu.Append(MF_STRING, kCmdPlacementDialog, "表示位置の設定");
    settingsMenu.Append(MF_STRING, kCmdTimingDialog, "全体の設定");

    leftMenu.Append(MF_STRING, kCmdClose, "終了");
    leftMenu.Append(MF_STRING, kCmdTopMost, "最前列");
    leftMenu.Append(MF_STRING, kCmdAutoReturn, "自動で戻る");
    leftMenu.AppendPopup(settingsMenu, "設定");
    leftMenu.Append(MF_STRING, kCmdHideIcon, "ﾀｽｸﾄﾚｲに表示させない");
    leftMenu.Append(MF_STRING, kCmdAbout, "について");
    updateChecks();
}

void LauncherWindow::updateChecks() {
    leftMenu.Check(leftMenu.ItemId(kTopMostPosition), settings.topMost == 1);
    leftMenu.Check(leftMenu.ItemId(kAutoReturnPosition), settings.autoReturn == 1);
}

int LauncherWindow::OnCommand(int id, int code) {
    switch (id) {
    case kCmdTopMost:
        settings.topMost = Toggled(settings.topMost);
        place();
        updateChecks();
        return 1;
    case kCmdAutoReturn:
        // ReturnTimer starts when the window loses activation after the menu.
        settings.autoReturn = Toggled(settings.autoReturn);
        place();
        updateChecks();
        return 1;
    case kCmdPlacementDialog:
        showPlacementDialog();
        return 1;
    case kCmdTimingDialog:
        showTimingDialog();
        return 1;
    case kCmdHideIcon:
        HideTrayIconIfConfirmed(kTrayIconId);
        return 1;
    default:
        return WPTrayWin::OnCommand(id, code);  // 512 (end) and 532 (About) among them
    }
}

int LauncherWindow::OnOther(WPMsg& msg) {
    // Nothing moves while the user works with the menu. Over an open dialog
    // no menu opens, and the timers keep running.
    if (msg.msg == kTrayMessage && msg.lParam == WM_LBUTTONDOWN && !ModalOpen()) {
        KillTimer(kWatchTimer);
        KillTimer(kReturnTimer);
    }
    return WPTrayWin::OnOther(msg);
}

}  // namespace lofter
