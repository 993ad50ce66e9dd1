#include "capturerule.h"

namespace lofter {

bool MayCapture(HWND foreground) {
    // No foreground window belongs to no process: it is taken as ever, and
    // the placement then does nothing.
    DWORD process = 0;
    ::GetWindowThreadProcessId(foreground, &process);
    return process != ::GetCurrentProcessId();
}

}  // namespace lofter
