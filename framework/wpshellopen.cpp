#include "wpshellopen.h"

#include <shellapi.h>

#include "wpapp.h"
#include "wpplatform.h"

// The record handed to the shell is the first version's: 60 bytes.
#ifndef _WIN64  // the 64-bit test build has its own record layout
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "SHELLEXECUTEINFOA is 60 bytes");
#endif

BOOL OpenThroughShell(const char* file, const char* parameters, const char* directory, int show) {
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    request.fMask = 0;
    request.hwnd = nullptr;
    request.lpVerb = "open";
    request.lpFile = file;
    request.lpParameters = parameters ? parameters : "";
    request.lpDirectory = directory ? directory : "";
    request.nShow = show;
    // An output member; what is given in has no effect.
    request.hInstApp = wpApp.hinst;
    return Platform().ShellOpenEx(&request);
}
