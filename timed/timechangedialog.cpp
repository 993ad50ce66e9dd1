#include "timechangedialog.h"

#include <stddef.h>

#include <memory>
#include <new>
#include <type_traits>

#include "timechange_ids.h"
#include "wpctrl.h"
#include "wpdlg.h"
#include "wpplatform.h"
#include "wptext.h"

namespace timed {

namespace {

static_assert(std::is_standard_layout<TimeRecord>::value, "the control map addresses the record by offset");

// The hour field has the first focus (the terminator's id).
const WPCtrlMapEntry kTimeMap[] = {
    {WPEdit::MakeDigits, IDC_TIME_HOURS, offsetof(TimeRecord, hours), sizeof(TimeRecord::hours)},
    {WPEdit::MakeDigits, IDC_TIME_MINUTES, offsetof(TimeRecord, minutes), sizeof(TimeRecord::minutes)},
    {WPEdit::MakeDigits, IDC_TIME_SECONDS, offsetof(TimeRecord, seconds), sizeof(TimeRecord::seconds)},
    {nullptr, IDC_TIME_HOURS, 0, 0},
};

const char kTimeDialog[] = "PROPATYDIALOG";

// A field that names no time the clock shows, and the box that says so;
// Shift-JIS at run time.
struct BadField {
    TimePart part;
    int id;
    const char* text;
};
const BadField kBadFields[] = {
    {TimePart::Hour, IDC_TIME_HOURS, "時は 0 から 23 までの数字で入力してください"},
    {TimePart::Minute, IDC_TIME_MINUTES, "分は 0 から 59 までの数字で入力してください"},
    {TimePart::Second, IDC_TIME_SECONDS, "秒は 0 から 59 までの数字で入力してください"},
};
const char kBadTimeCaption[] = "ERROR";
const UINT kBadTimeBoxType = MB_OK;

// OK takes only a time that can come: a time the clock never shows would
// sit in the tray without a word and never fire.
class TimeChangeDialog : public WPModalDlg {
public:
    TimeChangeDialog(WPWin* owner, TimeRecord* record)
        : WPModalDlg(kTimeDialog, owner, kTimeMap, record) {}

    int OnCommand(int id, int code) override {
        if (id == IDOK && RefusedBadField()) return 1;
        return WPModalDlg::OnCommand(id, code);
    }

private:
    // Beeps, names the first bad field in a box of the dialog's own and puts
    // the user back into that field with its text selected.
    bool RefusedBadField() {
        char hours[kTimePartSize], minutes[kTimePartSize], seconds[kTimePartSize];
        ::GetDlgItemTextA(hwnd, IDC_TIME_HOURS, hours, sizeof hours);
        ::GetDlgItemTextA(hwnd, IDC_TIME_MINUTES, minutes, sizeof minutes);
        ::GetDlgItemTextA(hwnd, IDC_TIME_SECONDS, seconds, sizeof seconds);
        const TimePart bad = FirstBadPart(hours, minutes, seconds);
        for (const BadField& field : kBadFields) {
            if (field.part != bad) continue;
            Platform().Beep(0);
            Platform().ShowMessageBox(hwnd, field.text, kBadTimeCaption, kBadTimeBoxType);
            // The box gave the focus back to the button that was pressed.
            if (HWND edit = ::GetDlgItem(hwnd, field.id)) {
                ::SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
                ::SendMessageA(edit, EM_SETSEL, 0, -1);
            }
            return true;
        }
        return false;
    }
};

}  // namespace

TimeDialogResult AskTimeParts(WPWin* owner, TimeParts parts) {
    std::unique_ptr<TimeRecord> record(new (std::nothrow) TimeRecord);
    if (!record) return TimeDialogResult::NoMemory;
    CopyText(record->hours, sizeof record->hours, parts.hours);
    CopyText(record->minutes, sizeof record->minutes, parts.minutes);
    CopyText(record->seconds, sizeof record->seconds, parts.seconds);

    // A dialog object of our own, not made with new: its window's end only
    // unbinds it, so saved can be read once the run is over.
    TimeChangeDialog dialog(owner, record.get());
    dialog.Execute();
    if (!dialog.saved) return TimeDialogResult::Cancelled;

    CopyText(parts.hours, kTimePartSize, record->hours);
    CopyText(parts.minutes, kTimePartSize, record->minutes);
    CopyText(parts.seconds, kTimePartSize, record->seconds);
    return TimeDialogResult::Confirmed;
}

}  // namespace timed
