// The system's open, save and print dialogs as framework dialogs.
#ifndef KIVORA_WPFILEDLG_H
#define KIVORA_WPFILEDLG_H

#include <stddef.h>

#include <windows.h>
#include <commdlg.h>

#include "wpdlg.h"

// Sizes the calls are made with: the old-version file name record and the
// 32-bit print dialog record, as the first 32-bit systems knew them.
// (OPENFILENAME_SIZE_VERSION_400A, which is no constant expression here.)
const DWORD kOpenFileNameSize400 = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64  // the 64-bit test build has its own record layouts
static_assert(kOpenFileNameSize400 == 76, "old-version OPENFILENAMEA is 76 bytes");
static_assert(sizeof(PRINTDLGA) == 66, "PRINTDLGA is 66 bytes on i686");
#endif

// Bytes of a chosen file's name with its end: the dialog's own buffer, and
// what a caller's dest must hold.
const int kFileDlgNameSize = 128;

// What the open and save dialogs share. The chosen file lands in dest, which
// holds kFileDlgNameSize bytes.
class WPFileDlg : public WPModalDlg {
public:
    // filter: pairs of NUL-terminated texts ending with an empty one.
    void SetFilter(const char* filter) {
        if (filter)
            filter_ = filter;
    }
    // Shows the system dialog; nonzero when a file was chosen.
    int Create() override;
    // Ends the dialog from code (WM_COMMAND 3).
    void Destroy() override;
    // OK and Cancel belong to the system dialog.
    int OnCommand(int id, int code) override;

    OPENFILENAMEA request = {};

protected:
    WPFileDlg(WPWin* owner, char* dest, const char* dialogTitle, DWORD flags);
    virtual BOOL Run() = 0;

private:
    char* dest_;
    const char* title_;
    const char* filter_;
    DWORD flags_;
    char name_[kFileDlgNameSize] = {};
};

class WPOpenDlg : public WPFileDlg {
public:
    // File and path must exist; hook; no read-only box (0x1824).
    WPOpenDlg(WPWin* owner, char* dest, const char* dialogTitle = nullptr);

protected:
    BOOL Run() override;
};

class WPSaveDlg : public WPFileDlg {
public:
    // Path must exist; hook; no read-only box; ask before overwriting (0x826).
    WPSaveDlg(WPWin* owner, char* dest, const char* dialogTitle = nullptr);

protected:
    BOOL Run() override;
};

// The system's print dialog, returning a printer context.
class WPPrintDlg : public WPModalDlg {
public:
    explicit WPPrintDlg(WPWin* owner);
    // Frees the device blocks and deletes the returned context.
    ~WPPrintDlg() override;
    // Nonzero when the user confirmed.
    int Create() override;
    HDC PrinterContext() const { return request.hDC; }

    PRINTDLGA request = {};
};

#endif
