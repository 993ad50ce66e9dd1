#include "wpfiledlg.h"

#include "wpapp.h"
#include "wpplatform.h"
#include "wptext.h"

namespace {
const char kAnyFile[] = "Any File (*.*)\0*.*\0";
const DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
const DWORD kSaveFlags = OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
static_assert(kOpenFlags == 0x1824 && kSaveFlags == 0x826, "file dialog flags");
}  // namespace

WPFileDlg::WPFileDlg(WPWin* owner, char* dest, const char* dialogTitle, DWORD flags)
    : WPModalDlg(nullptr, owner), dest_(dest), title_(dialogTitle), filter_(kAnyFile),
      flags_(flags) {}

int WPFileDlg::Create() {
    name_[0] = '\0';
    request = OPENFILENAMEA{};
    request.lStructSize = kOpenFileNameSize400;
    request.hwndOwner = owner ? owner->hwnd : nullptr;
    request.hInstance = wpApp.hinst;
    request.lpstrFilter = filter_;
    request.nFilterIndex = 1;
    request.lpstrFile = name_;
    request.nMaxFile = sizeof name_;
    request.lpstrTitle = title_;
    request.Flags = flags_;
    request.lpfnHook = reinterpret_cast<LPOFNHOOKPROC>(wpApp.dlgProc);
    // The hook's WM_INITDIALOG binds this object to the system dialog.
    dialogUnderConstruction = this;
    BOOL chosen = Run();
    if (dialogUnderConstruction == this)
        dialogUnderConstruction = nullptr;
    if (chosen && dest_)
        CopyText(dest_, sizeof name_, name_);
    dlgResult = chosen;
    return chosen;
}

void WPFileDlg::Destroy() {
    if (hwnd)
        SendMsg(WM_COMMAND, IDABORT);
}

int WPFileDlg::OnCommand(int, int) { return 0; }

WPOpenDlg::WPOpenDlg(WPWin* owner, char* dest, const char* dialogTitle)
    : WPFileDlg(owner, dest, dialogTitle, kOpenFlags) {}

BOOL WPOpenDlg::Run() { return Platform().OpenFileName(&request); }

WPSaveDlg::WPSaveDlg(WPWin* owner, char* dest, const char* dialogTitle)
    : WPFileDlg(owner, dest, dialogTitle, kSaveFlags) {}

BOOL WPSaveDlg::Run() { return Platform().SaveFileName(&request); }

WPPrintDlg::WPPrintDlg(WPWin* owner) : WPModalDlg(nullptr, owner) {}

WPPrintDlg::~WPPrintDlg() {
    if (request.hDevMode)
        ::GlobalFree(request.hDevMode);
    if (request.hDevNames)
        ::GlobalFree(request.hDevNames);
    if (request.hDC)
        ::DeleteDC(request.hDC);
}

int WPPrintDlg::Create() {
    request.lStructSize = sizeof request;
    request.hwndOwner = owner ? owner->hwnd : nullptr;
    request.Flags = PD_RETURNDC;
    // The dialog under construction is not taken (no hook): leave it alone.
    if (dialogUnderConstruction == this)
        dialogUnderConstruction = nullptr;
    dlgResult = Platform().PrintDialog(&request);
    return dlgResult;
}
