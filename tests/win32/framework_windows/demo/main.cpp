// A small program that shows a framework dialog with Japanese labels: a
// main frame window opens a settings dialog bound to a record through a
// control map. It ends by itself after half a minute (or with OK/Cancel).
#include <stddef.h>
#include <stdint.h>

#include "demo_ids.h"
#include "wpapp.h"
#include "wpctrl.h"
#include "wpdlg.h"
#include "wpmainwin.h"

namespace {

struct Placement {
    char left[8];
    char top[8];
    int32_t topMost;
    int32_t autoReturn;
};

const WPCtrlMapEntry kPlacementMap[] = {
    {WPEdit::MakeDigits, IDC_LEFT, offsetof(Placement, left), sizeof(Placement::left)},
    {WPEdit::MakeDigits, IDC_TOP, offsetof(Placement, top), sizeof(Placement::top)},
    {WPButton::Make, IDC_TOPMOST, offsetof(Placement, topMost), sizeof(Placement::topMost)},
    {WPButton::Make, IDC_AUTORETURN, offsetof(Placement, autoReturn), sizeof(Placement::autoReturn)},
    {nullptr, IDC_LEFT, 0, 0}};

const UINT kOpenDialog = WM_APP + 1;
const UINT kEndTimer = 1;

// Ends itself after a while so that a screenshot run needs no one to close it.
class PlacementDialog : public WPModalDlg {
public:
    PlacementDialog(WPWin* owner, Placement* record)
        : WPModalDlg("DEMODIALOG", owner, kPlacementMap, record) {}
    void OnInit() override { SetTimer(kEndTimer, 30000); }
    int OnTimer(UINT id) override {
        if (id != kEndTimer) return 0;
        EndDlg(IDCANCEL);
        return 1;
    }
};

class DemoWindow : public WPMainWin {
public:
    DemoWindow() : WPMainWin("KivoraDemoWindow") {
        createTemplate.left = 40;
        createTemplate.top = 40;
        createTemplate.width = 480;
        createTemplate.height = 320;
        title = "ダイアログの見本";
        Create();
        SetFileName("");
        ::PostMessageA(hwnd, kOpenDialog, 0, 0);
    }
    int OnOther(WPMsg& msg) override {
        if (msg.msg != kOpenDialog) return WPMainWin::OnOther(msg);
        Placement record = {"100", "200", 1, 0};
        PlacementDialog dialog(this, &record);
        dialog.Execute();
        Destroy();
        return 1;
    }
};

}  // namespace

void WPApp::Start() {
    mainWin = new DemoWindow;
    Run();
}
