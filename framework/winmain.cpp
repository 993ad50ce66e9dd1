// The process entry. Kept alone in its file: test programs link the
// framework with a main of their own and must not pull this in.
#include "wpapp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    wpApp.Init(instance, previous, commandLine, show);
    wpApp.Start();
    return wpApp.exitCode;
}
