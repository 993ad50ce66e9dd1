#include "wpnames.h"

#include "wptext.h"

#include <string.h>

void ProgramNameFromPath(const char* modulePath, char* name) {
    const char* base = LastPathComponent(modulePath);
    const char* dot = FindChar(base, ".");
    int length = dot ? static_cast<int>(dot - base) : static_cast<int>(strlen(base));
    CopySpan(name, kProgramNameSize, base, length);
}

char* IniNameFromProgramName(const char* programName, char* buffer, int size) {
    char stem[9];
    CopyText(stem, sizeof stem, programName);
    char full[sizeof stem + 4];
    strcpy(full, stem);
    strcat(full, ".ini");
    CopyText(buffer, size, full);
    return buffer;
}
