// Started by volley in the end-to-end tests: writes the tick count at which
// it ran into the file named by its command-line tail, then ends.
#include <windows.h>

#include <stdio.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR tail, int) {
    const DWORD now = GetTickCount();
    FILE* file = fopen(tail, "w");
    if (!file) return 1;
    fprintf(file, "%lu", static_cast<unsigned long>(now));
    fclose(file);
    return 0;
}
