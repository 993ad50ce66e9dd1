// aubade's action at the set time.
#include "aubadewindow.h"

#include <windows.h>
#include <shellapi.h>

#include "wpapp.h"
#include "wpplatform.h"

namespace aubade {

// The first version's request record is sent: 60 bytes.
#ifndef _WIN64  // the 64-bit test build has its own record layout
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "SHELLEXECUTEINFOA is 60 bytes");
#endif

const char kOpenVerb[] = "open";

void TimedWindow::Fire() {
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    // No mask: the shell shows its own box when it cannot open the target.
    request.fMask = 0;
    request.hwnd = nullptr;
    request.lpVerb = kOpenVerb;
    request.lpFile = program;
    // Omitted fields are empty texts; a space placeholder stays one space.
    request.lpParameters = parameters;
    request.lpDirectory = directory;
    request.nShow = SW_SHOWNORMAL;
    request.hInstApp = wpApp.hinst;
    // A failed launch goes on exactly as a successful one.
    Platform().ShellOpenEx(&request);
    if (quitAfterFire) EndAfterFiring();
}

}  // namespace aubade
