#include "timechangedialog.h"

#include <stddef.h>

#include <memory>
#include <new>
#include <type_traits>

#include "timechange_ids.h"
#include "wpctrl.h"
#include "wpdlg.h"
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

}  // namespace

const WPCtrlMapEntry* TimeControlMap() { return kTimeMap; }

TimeDialogResult AskTimeParts(WPWin* owner, TimeParts parts) {
    std::unique_ptr<TimeRecord> record(new (std::nothrow) TimeRecord);
    if (!record) return TimeDialogResult::NoMemory;
    CopyText(record->hours, sizeof record->hours, parts.hours);
    CopyText(record->minutes, sizeof record->minutes, parts.minutes);
    CopyText(record->seconds, sizeof record->seconds, parts.seconds);

    // A dialog object of our own, not made with new: its window's end only
    // unbinds it, so saved can be read once the run is over.
    WPModalDlg dialog(kTimeDialog, owner, kTimeMap, record.get());
    dialog.Execute();
    if (!dialog.saved) return TimeDialogResult::Cancelled;

    CopyText(parts.hours, kTimePartSize, record->hours);
    CopyText(parts.minutes, kTimePartSize, record->minutes);
    CopyText(parts.seconds, kTimePartSize, record->seconds);
    return TimeDialogResult::Confirmed;
}

}  // namespace timed
