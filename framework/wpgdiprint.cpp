// The printer context: the print job's abort dialog, its abort procedure and
// the layout of printed lines.
#include <string.h>

#include "wpapp.h"
#include "wpdiag.h"
#include "wpdlg.h"
#include "wpfiledlg.h"
#include "wpgdi.h"
#include "wpglob.h"
#include "wpprintername.h"

WPDialog* DlgAbort = nullptr;
int printAborted = 0;

namespace {
// The abort dialog: its Cancel stops the job, then ends it as any Cancel.
class PrintAbortDialog : public WPModelessDlg {
public:
    explicit PrintAbortDialog(WPWin* owner) : WPModelessDlg("DLGPRINTABORT", owner) {}
    int OnCommand(int id, int code) override {
        if (id == IDCANCEL) {
            printAborted = 1;
            DlgAbort = nullptr;
        }
        return WPModelessDlg::OnCommand(id, code);
    }
};
}  // namespace

BOOL CALLBACK WPAbortProc(HDC, int) {
    MSG message;
    while (!printAborted && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (DlgAbort && DlgAbort->hwnd && ::IsDialogMessageA(DlgAbort->hwnd, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return !printAborted;
}

WPPrinterDC::WPPrinterDC(const char* device) {
    char name[kPrinterBufferSize], driver[kPrinterBufferSize], port[kPrinterBufferSize];
    if (ReadPrinterEntry(device, name, driver, port))
        hdc = ::CreateDCA(driver, name, port, nullptr);
    WPCheck(hdc != nullptr, "hdc");
}

WPPrinterDC::WPPrinterDC(HDC existing, int deleteIt) : deleteOnEnd(deleteIt) {
    hdc = existing;
    WPCheck(hdc != nullptr, "hdc");
}

WPPrinterDC::~WPPrinterDC() {
    if (DlgAbort) {
        WPDialog* dialog = DlgAbort;
        DlgAbort = nullptr;
        dialog->Destroy();
    }
    if (printOwner)
        ::EnableWindow(printOwner, TRUE);
    Restore();
    if (hdc && deleteOnEnd)
        ::DeleteDC(hdc);
    hdc = nullptr;
}

int WPPrinterDC::StartPrinting(WPWin* owner) {
    printOwner = owner ? owner->hwnd : nullptr;
    printAborted = 0;
    WPCheck(DlgAbort == nullptr, "DlgAbort==NULL");
    auto* dialog = new PrintAbortDialog(owner);
    if (dialog->Create())
        DlgAbort = dialog;
    else
        delete dialog;  // no window: nothing else would end it
    if (printOwner)
        ::EnableWindow(printOwner, FALSE);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(hdc, &metrics);
    pager.Start(metrics.tmHeight + metrics.tmExternalLeading, ::GetDeviceCaps(hdc, VERTRES));
    lastEscape = ::Escape(hdc, SETABORTPROC, 0, reinterpret_cast<LPCSTR>(WPAbortProc), nullptr);
    return lastEscape;
}

int WPPrinterDC::PrintLine(const char* text, int length) {
    PrintPager::Step step = pager.Next(text, length);
    if (step.newPageFirst)
        NewPage();
    if (step.writeLine)
        WriteLine(step.y, text, length);
    return lastEscape;
}

int WPPrinterDC::NewPage() {
    lastEscape = ::Escape(hdc, NEWFRAME, 0, nullptr, nullptr);
    return lastEscape;
}

BOOL WPPrinterDC::WriteLine(int y, const char* text, int length) {
    return ::TabbedTextOutA(hdc, 0, y, text, length, 0, nullptr, 0) != 0;
}

WPPrintDlgDC::WPPrintDlgDC(WPPrintDlg& dialog) : WPPrinterDC(dialog.PrinterContext(), 0) {}
