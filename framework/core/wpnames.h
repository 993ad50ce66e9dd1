// Name rules of the application object: the program name taken from the
// module's path and the settings-file name made from it.
#ifndef KIVORA_WPNAMES_H
#define KIVORA_WPNAMES_H

// Capacity of a program name with its terminator.
constexpr int kProgramNameSize = 16;

// Writes into name (kProgramNameSize bytes) the part of modulePath after its
// last backslash, cut at its first '.', at most 15 characters.
void ProgramNameFromPath(const char* modulePath, char* name);

// Writes programName cut to 8 characters followed by ".ini" into buffer
// (cut to size, see CopyText) and returns buffer.
char* IniNameFromProgramName(const char* programName, char* buffer, int size);

#endif
