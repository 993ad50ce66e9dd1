#include "shelllaunch.h"

#include "entryrow.h"
#include "volleyentrylist.h"
#include "wpapp.h"
#include "wpplatform.h"

#include <windows.h>
#include <shellapi.h>

// The record handed to the shell is the first version's, 60 bytes.
#ifndef _WIN64  // the 64-bit test build has its own record layout
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "SHELLEXECUTEINFOA is 60 bytes");
#endif

namespace volley {
namespace {

const char kOpenVerb[] = "open";

uint32_t PlatformTicks() { return Platform().TickCount(); }

// Sleep handles no messages, so a wait keeps the run's promise that nothing
// happens meanwhile.
void KernelPause(uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace
}  // namespace volley

int LaunchThroughShell(const LaunchEntry& entry) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = 0;
    info.hwnd = nullptr;
    info.lpVerb = volley::kOpenVerb;
    info.lpFile = entry.file;
    info.lpParameters = entry.params;
    info.lpDirectory = entry.dir;
    info.nShow = entry.show;
    // An output member; what is given in has no effect.
    info.hInstApp = wpApp.hinst;
    return Platform().ShellOpenEx(&info);
}

void ConnectEntriesToPlatform() {
    LaunchEntry::performLaunch = LaunchThroughShell;
    SleepEntry::tickCount = volley::PlatformTicks;
    SleepEntry::pause = volley::KernelPause;
    EntryList::moveRow = MoveEntryRow;
    EntryList::paintRow = PaintEntryRow;
}
