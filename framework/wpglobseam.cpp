#include "wpglobseam.h"

BOOL WPServices::NotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    return ::Shell_NotifyIconA(message, data);
}
BOOL WPServices::OpenFileName(OPENFILENAMEA* request) { return ::GetOpenFileNameA(request); }
BOOL WPServices::SaveFileName(OPENFILENAMEA* request) { return ::GetSaveFileNameA(request); }
BOOL WPServices::PrintDialog(PRINTDLGA* request) { return ::PrintDlgA(request); }
BOOL WPServices::MousePresent() { return ::GetSystemMetrics(SM_MOUSEPRESENT); }
int WPServices::ShowCursor(BOOL show) { return ::ShowCursor(show); }

namespace {
// The real API: the base class's own operations.
class RealServices final : public WPServices {};
RealServices realServices;
WPServices* current = &realServices;
}  // namespace

WPServices& Services() { return *current; }

WPServices* SetServices(WPServices* services) {
    WPServices* previous = current;
    current = services ? services : &realServices;
    return previous == &realServices ? nullptr : previous;
}
