// The process entry. Kept alone in its file: test programs link the
// framework with a main of their own and must not pull this in.
#include "wpapp.h"
#include "wpcmdtail.h"
#include "wpcodepage.h"
#include "wptextfile.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
    // The tail is cut from the whole line here: the runtime's own drops the
    // lead byte of a first double-byte character.
    wpApp.Init(instance, previous, CommandLineTail(GetCommandLineA()), show);
    // Lists and response files saved as UTF-8 or UTF-16 are converted by
    // the system's own tables.
    SetCp932Map(SystemCp932);
    wpApp.startingUp = true;
    wpApp.Start();
    return wpApp.exitCode;
}
