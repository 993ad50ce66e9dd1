#include "shelllaunch.h"

#include "entryrow.h"
#include "volleyentrylist.h"
#include "wpplatform.h"
#include "wpshellopen.h"

#include <windows.h>

namespace volley {
namespace {

uint32_t PlatformTicks() { return Platform().TickCount(); }

// Sleep handles no messages, so a wait keeps the run's promise that nothing
// happens meanwhile.
void KernelPause(uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace
}  // namespace volley

int LaunchThroughShell(const LaunchEntry& entry) {
    return OpenThroughShell(entry.file, entry.params, entry.dir, entry.show);
}

void ConnectEntriesToPlatform() {
    LaunchEntry::performLaunch = LaunchThroughShell;
    SleepEntry::tickCount = volley::PlatformTicks;
    SleepEntry::pause = volley::KernelPause;
    EntryList::moveRow = MoveEntryRow;
    EntryList::paintRow = PaintEntryRow;
}
