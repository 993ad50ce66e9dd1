// The shell's own windows, which lofter never takes as a program's window.
#pragma once

namespace lofter {

// True for the window classes of the desktop (the desktop window and the
// shell's desktop behind the icons) and of the taskbar, on the primary
// monitor and the others. In the foreground after a click on the desktop or
// the taskbar during the capture delay, they would otherwise be moved,
// sized and made top-most.
bool IsShellWindowClass(const char* className);

}  // namespace lofter
