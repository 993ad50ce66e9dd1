// Started by volley in the end-to-end tests: writes the tick count at which
// it ran into the file named by its command-line tail, then ends.
#include <windows.h>

#include <stdio.h>

#include "wpcmdtail.h"

// The tail is cut as the programs cut theirs: the runtime's own loses the
// first byte of a name that begins with a double-byte character.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const DWORD now = GetTickCount();
    FILE* file = fopen(CommandLineTail(GetCommandLineA()), "w");
    if (!file) return 1;
    fprintf(file, "%lu", static_cast<unsigned long>(now));
    fclose(file);
    return 0;
}
