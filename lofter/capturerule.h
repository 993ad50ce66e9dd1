// Which window lofter may take as the started program's window once the
// capture delay is over.
#pragma once

#include <windows.h>

namespace lofter {

// While the foreground window may not be captured, the capture looks again
// this much later.
constexpr UINT kCaptureRetryPeriod = 250;  // ms

// May the foreground window be captured now? Never a window of lofter's own
// process: its tray menu, About box or a settings dialog in the foreground
// would be placed (and watched) instead of the program's window. Never the
// desktop or the taskbar either, which a click during the delay puts in the
// foreground.
bool MayCapture(HWND foreground);

}  // namespace lofter
