#include "capturerule.h"

#include "shellwindow.h"

namespace lofter {

bool MayCapture(HWND foreground) {
    // No foreground window belongs to no process: it is taken as ever, and
    // the placement then does nothing.
    DWORD process = 0;
    ::GetWindowThreadProcessId(foreground, &process);
    if (process == ::GetCurrentProcessId()) return false;
    char className[32] = "";
    ::GetClassNameA(foreground, className, sizeof className);
    return !IsShellWindowClass(className);
}

}  // namespace lofter
