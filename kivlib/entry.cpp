// The library keeps no state and needs no set-up: every attach and detach
// reason is accepted as it is.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
