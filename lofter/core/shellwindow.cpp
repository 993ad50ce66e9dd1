#include "shellwindow.h"

#include "wptext.h"

namespace lofter {

namespace {

const char* const kShellClasses[] = {
    "#32769",                  // the desktop window
    "Progman", "WorkerW",      // the shell's desktop
    "Shell_TrayWnd", "Shell_SecondaryTrayWnd",  // the taskbars
};

}  // namespace

bool IsShellWindowClass(const char* className) {
    // Class names are compared without regard to case, as the system does.
    for (const char* shellClass : kShellClasses)
        if (CompareNoCase(className, shellClass) == 0) return true;
    return false;
}

}  // namespace lofter
