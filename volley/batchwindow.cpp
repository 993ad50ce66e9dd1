#include "batchwindow.h"

#include "entryrow.h"
#include "volleyresponsefile.h"
#include "wpapp.h"
#include "wpformat.h"
#include "wpgdi.h"
#include "wpnoticewin.h"
#include "wpplatform.h"

#include <string.h>

namespace volley {

const char kFrameName[] = "MAINWIN";
const char kAppName[] = "Volleey";
const char kVersionText[] = "Volley Ver1.10\n1997/08/13\n(C) 1997 Zorva";

namespace {

const char kVersionOption[] = "-v";
const char kErrorCaption[] = "error";
const char kVersionCaption[] = "";
const UINT kDefaultBeep = 0;
const int kAllPerformed = -1;

}  // namespace
}  // namespace volley

using namespace volley;

BatchWindow::BatchWindow(const char* fileArg) : WPMainWin(kFrameName) {
    createTemplate.classnm = kAppName;
    // The rows are painted by direct calls while the run holds the thread;
    // the window's own later painting (under a failure box) must not wipe
    // them, since nothing would paint them again.
    createTemplate.style |= WS_CLIPCHILDREN;
    // "Volleey-" and a name of up to 255 characters.
    char caption[sizeof kAppName + 1 + 256];
    FormatText(caption, sizeof caption, "%s-%s", kAppName, fileArg);
    CreateTitled(caption);

    TakeLineMetrics();

    if (strcmp(fileArg, kVersionOption) == 0) {
        MsgBox(kVersionText, kVersionCaption, MB_OK);
        wpApp.PostQuit(0);
        return;
    }

    WPNoticeList notices;
    const int status = ReadResponseFile(fileArg, entries, &notices);
    if (status == kFileMissing) {
        ReportMissing(fileArg);
        wpApp.PostQuit(0);
        return;
    }
    // A #time line without a value ended the reading, or a character the
    // list cannot be read with refused it: say so before the run.
    ShowNotices(notices.Items(), notices.Count(), hwnd);
    // The boxes run loops in which the window can be closed (taskkill
    // without /f, say). Start-up then stops: no further box, no rows, no
    // run; the program ends with 0 once the loop runs, and the framework
    // deletes this object only after its constructor has returned.
    if (!hwnd) return;
    if (status == kRefusedText) {
        wpApp.PostQuit(0);
        return;
    }

    CreateRows();
    FitToEntries();
    SetTimer(kRunTimer, kRunDelayMs);
}

void BatchWindow::TakeLineMetrics() {
    TEXTMETRICA metrics = {};
    {
        WPWinDC dc(this);
        GetTextMetricsA(dc.hdc, &metrics);
    }
    lineHeight = metrics.tmHeight;
    entries.lineHeight = lineHeight;
    entries.rowWidth = kRowWidthInLines * lineHeight;
    entries.nextRect = EntryRect{0, 0, entries.rowWidth, lineHeight};
}

void BatchWindow::CreateRows() {
    for (Entry* entry = entries.head; entry; entry = entry->next) {
        auto* row = new EntryRow(this, *entry);
        // The framework has reported the failure; a list longer than the
        // system has windows for would otherwise report it once per entry.
        // Entries without a row are run all the same.
        if (!row->hwnd) {
            delete row;
            return;
        }
        entry->row = row;
    }
}

void BatchWindow::FitToEntries() {
    WPRect outer;
    GetWindowRect(outer);
    WPPoint clientOrigin(0, 0);
    ClientToScreen(clientOrigin);
    const Entry* last = entries.At(entries.Count() - 1);
    if (!last) return;
    const int32_t h = last->rect.bottom - last->rect.top;
    const int32_t right = outer.left + last->rect.right + h / 3;
    const int32_t bottom = clientOrigin.y + last->rect.bottom + h / 4;
    MoveWindow(hwnd, outer.left, outer.top, right - outer.left, bottom - outer.top, TRUE);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool BatchWindow::WindowGone(const void* window) {
    return static_cast<const BatchWindow*>(window)->hwnd == nullptr;
}

void BatchWindow::ReportMissing(const char* fileArg) {
    char text[256 + sizeof " not found"];
    FormatText(text, sizeof text, "%s not found", fileArg);
    Platform().Beep(kDefaultBeep);
    MsgBox(text, kErrorCaption, MB_OK);
}

int BatchWindow::OnTimer(UINT) {
    // Killed first: the run holds the thread, and the failure box's own loop
    // would otherwise deliver the timer again.
    KillTimer(kRunTimer);
    const int failed = entries.RunAll(WindowGone, this);
    // The shell's own box about an entry it cannot open runs a loop in which
    // the user may have closed this window: the run has ended with it.
    if (!hwnd) return 1;
    if (failed != kAllPerformed) {
        char text[32];
        FormatText(text, sizeof text, "Line No %d", failed);
        Platform().Beep(kDefaultBeep);
        MsgBox(text, kErrorCaption, MB_OK);
    }
    wpApp.PostQuit(0);
    return 1;
}
