#include "settingsdialogs.h"

#include <stddef.h>

#include <type_traits>

#include "launcherwindow.h"
#include "wpformat.h"
#include "wpplatform.h"
#include "wptext.h"

namespace lofter {

static_assert(std::is_standard_layout_v<PlacementData>, "control maps use offsetof");
static_assert(std::is_standard_layout_v<TimingData>, "control maps use offsetof");

#define LOFTER_MAP_FIELD(Record, field) \
    static_cast<int>(offsetof(Record, field)), static_cast<int>(sizeof(Record::field))

const WPCtrlMapEntry kPlacementMap[] = {
    {NumberEdit::Make, kIdX, LOFTER_MAP_FIELD(PlacementData, xText)},
    {NumberEdit::Make, kIdY, LOFTER_MAP_FIELD(PlacementData, yText)},
    {NumberEdit::Make, kIdW, LOFTER_MAP_FIELD(PlacementData, wText)},
    {NumberEdit::Make, kIdH, LOFTER_MAP_FIELD(PlacementData, hText)},
    {nullptr, 0, 0, 0},
};

const WPCtrlMapEntry kTimingMap[] = {
    {NumberEdit::Make, kIdDelay, LOFTER_MAP_FIELD(TimingData, delayText)},
    {NumberEdit::Make, kIdInterval, LOFTER_MAP_FIELD(TimingData, intervalText)},
    {WPButton::Make, kIdSave, LOFTER_MAP_FIELD(TimingData, save)},
    {nullptr, 0, 0, 0},
};

#undef LOFTER_MAP_FIELD

namespace {

const char kDigits[] = "0123456789";

const char kSaveFailedText[] = "設定を保存できませんでした";
const char kSaveFailedCaption[] = "ERROR";

void FormatNumber(char* text, int32_t value) { FormatText(text, kNumberTextSize, "%d", value); }

void FormatPlacement(PlacementData* data) {
    FormatNumber(data->xText, data->x);
    FormatNumber(data->yText, data->y);
    FormatNumber(data->wText, data->w);
    FormatNumber(data->hText, data->h);
}

}  // namespace

NumberEdit::NumberEdit(WPDialog* parent, int id)
    : WPEdit(parent, id, kDigits, WS_BORDER | ES_AUTOHSCROLL) {}

WPCtrl* NumberEdit::Make(WPDialog* dialog, int id) { return new NumberEdit(dialog, id); }

PlacementDialog::PlacementDialog(WPWin* owner, PlacementData* record, HWND target, WPPoint origin)
    : WPModalDlg("PROPATYDIALOG", owner, kPlacementMap, record), record_(record), target_(target),
      origin_(origin) {
    Create();
}

void PlacementDialog::OnInit() {
    if (record_->w <= 0 || record_->h <= 0) {
        ::EnableWindow(::GetDlgItem(hwnd, kIdW), FALSE);
        ::EnableWindow(::GetDlgItem(hwnd, kIdH), FALSE);
    }
}

int PlacementDialog::OnCommand(int id, int code) {
    if (id != kIdUseCurrent) return WPModalDlg::OnCommand(id, code);
    UseCurrentPosition();
    return 1;
}

void PlacementDialog::UseCurrentPosition() {
    RECT r = {};
    ::GetWindowRect(target_, &r);
    record_->x = r.left - origin_.x;
    record_->y = r.top - origin_.y;
    record_->w = r.right - r.left;
    record_->h = r.bottom - r.top;
    FormatPlacement(record_);
    BindControlMap(record_, 1);
    // Saving marks the dialog saved: even Cancel now applies this position.
    SaveData();
    LoadData();
}

TimingDialog::TimingDialog(WPWin* owner, TimingData* record)
    : WPModalDlg("DELEYDIALOG", owner, kTimingMap, record) {
    Create();
}

void LauncherWindow::showPlacementDialog() {
    if (dialogOpen) return;  // one settings dialog at a time
    PlacementData data = {};
    dialogOpen = 1;
    KillTimer(kReturnTimer);
    data.x = settings.x;
    data.y = settings.y;
    data.w = settings.w;
    data.h = settings.h;
    FormatPlacement(&data);
    PlacementDialog dialog(this, &data, target, settings.origin);
    if (WindowClosedDuringDialog()) return;
    if (dialog.saved) {
        settings.x = data.x = ReadNumber(data.xText);
        settings.y = data.y = ReadNumber(data.yText);
        settings.w = data.w = ReadNumber(data.wText);
        settings.h = data.h = ReadNumber(data.hText);
        place();
    }
    dialogOpen = 0;
    if (settings.autoReturn) StartReturnTimer();
}

void LauncherWindow::showTimingDialog() {
    if (dialogOpen) return;
    TimingData data = {};
    dialogOpen = 1;
    KillTimer(kReturnTimer);
    data.delay = timings.captureDelay;
    data.interval = timings.returnInterval;
    FormatNumber(data.delayText, data.delay);
    FormatNumber(data.intervalText, data.interval);
    TimingDialog dialog(this, &data);
    if (WindowClosedDuringDialog()) return;
    if (dialog.saved) {
        timings.captureDelay = ReadNumber(data.delayText);
        timings.returnInterval = ReadNumber(data.intervalText);
        // Stored neither in the default profile nor in the user's own
        // branch: saying so beats a next start that silently comes back
        // with the old values.
        if (data.save == 1 && !timings.saveTimes()) {
            Platform().Beep(0);
            MsgBox(kSaveFailedText, kSaveFailedCaption, MB_OK);
            // The box runs a loop of its own, as the dialog did.
            if (WindowClosedDuringDialog()) return;
        }
    }
    dialogOpen = 0;
    if (settings.autoReturn) StartReturnTimer();
}

}  // namespace lofter
