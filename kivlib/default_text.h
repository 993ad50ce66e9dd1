// Reading a key's default value into a fixed text buffer.
#ifndef KIVORA_KIVLIB_DEFAULT_TEXT_H
#define KIVORA_KIVLIB_DEFAULT_TEXT_H

#include <windows.h>

// Fills text (kivlibTextSize bytes) with the default value of the open key,
// always terminated within the buffer. A key without a default value, or
// one that cannot be read, gives the empty text.
void ReadDefaultText(HKEY key, char* text);

#endif
