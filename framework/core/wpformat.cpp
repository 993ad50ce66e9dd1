#include "wpformat.h"

#include <stdio.h>

int FormatTextV(char* buffer, size_t size, const char* format, va_list args) {
#ifdef _WIN32
    va_list again;
    va_copy(again, args);
    int length = size > 0 ? _vsnprintf(buffer, size, format, args) : -1;
    // The DLL's formatter leaves a text that fills the buffer unterminated
    // and answers -1 for one that does not fit; the whole length is counted
    // apart.
    if (size > 0 && (length < 0 || static_cast<size_t>(length) == size)) buffer[size - 1] = '\0';
    if (length < 0) length = _vscprintf(format, again);
    va_end(again);
    return length;
#else
    return vsnprintf(buffer, size, format, args);
#endif
}

int FormatText(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = FormatTextV(buffer, size, format, args);
    va_end(args);
    return length;
}
