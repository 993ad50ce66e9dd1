// The seam between the framework's windows and the shell, common dialog and
// pointer services that a test must be able to watch or answer: the tray
// icon, the open, save and print dialogs, and the mouse. Production code
// calls Services(); by default that is the real API. A test installs its
// own WPServices with SetServices.
#ifndef KIVORA_WPGLOBSEAM_H
#define KIVORA_WPGLOBSEAM_H

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

class WPServices {
public:
    constexpr WPServices() = default;

    // Shell_NotifyIconA.
    virtual BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* data);
    // GetOpenFileNameA, GetSaveFileNameA, PrintDlgA.
    virtual BOOL OpenFileName(OPENFILENAMEA* request);
    virtual BOOL SaveFileName(OPENFILENAMEA* request);
    virtual BOOL PrintDialog(PRINTDLGA* request);
    // GetSystemMetrics(SM_MOUSEPRESENT) and ShowCursor.
    virtual BOOL MousePresent();
    virtual int ShowCursor(BOOL show);

protected:
    // Constant-initialised static like the platform seam: no destructor runs.
    ~WPServices() = default;
};

// The seam in use.
WPServices& Services();

// Installs services (nullptr: the real API) and returns the one replaced.
WPServices* SetServices(WPServices* services);

#endif
