// Showing the notices that window-free code asked for (see wpnotice.h).
#ifndef KIVORA_WPNOTICEWIN_H
#define KIVORA_WPNOTICEWIN_H

#include "wpnotice.h"

#include <windows.h>

// Shows count notices in order through the platform seam, each after its
// beep when it asks for one; a notice owned by the main window gets
// mainWindow as owner, any other none. Each box is modal, so the next one
// appears only once the user has closed the one before.
void ShowNotices(const WPNotice* notices, int count, HWND mainWindow);

#endif
