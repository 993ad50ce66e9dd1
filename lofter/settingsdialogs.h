// The two settings dialogs of the tray menu: the placement of the captured
// window ("PROPATYDIALOG") and the two timings ("DELEYDIALOG").
#pragma once

#include <stdint.h>

#include "wpctrl.h"
#include "wpdlg.h"

namespace lofter {

constexpr int kNumberTextSize = 64;

// Control ids of the two templates.
enum PlacementControl { kIdX = 30, kIdY = 31, kIdW = 32, kIdH = 33, kIdUseCurrent = 34 };
enum TimingControl { kIdSave = 17, kIdDelay = 18, kIdInterval = 19 };

struct PlacementData {
    int32_t x, y, w, h;
    char xText[kNumberTextSize];
    char yText[kNumberTextSize];
    char wText[kNumberTextSize];
    char hText[kNumberTextSize];
};

struct TimingData {
    int32_t delay;
    int32_t interval;
    char delayText[kNumberTextSize];
    char intervalText[kNumberTextSize];
    int32_t save;  // 1: store both timings on OK
};

extern const WPCtrlMapEntry kPlacementMap[];
extern const WPCtrlMapEntry kTimingMap[];

// An edit field that takes digits only; a minus sign the program itself
// put there can be kept or deleted, not typed.
class NumberEdit : public WPEdit {
public:
    NumberEdit(WPDialog* parent, int id);
    static WPCtrl* Make(WPDialog* dialog, int id);
};

// Runs modally while it is constructed. saved tells afterwards whether the
// record holds texts to apply: OK sets it, and so does every press of "use
// the current position", which counts the position from origin (that of the
// monitor m=N chose) as the fields do.
class PlacementDialog : public WPModalDlg {
public:
    PlacementDialog(WPWin* owner, PlacementData* record, HWND target, WPPoint origin);
    // A size not given at the start cannot be edited.
    void OnInit() override;
    int OnCommand(int id, int code) override;

private:
    void UseCurrentPosition();
    PlacementData* record_;
    HWND target_;
    WPPoint origin_;
};

class TimingDialog : public WPModalDlg {
public:
    TimingDialog(WPWin* owner, TimingData* record);
};

}  // namespace lofter
