// printf-style formatting into a fixed buffer, as snprintf does it: the text
// is cut to fit and always terminated, and the answer is the length the
// whole text has. The suite formats only integers and texts; on Windows the
// C runtime DLL does it, where snprintf would link mingw's own formatter
// (and its float conversion) into every program.
#pragma once

#include <stdarg.h>
#include <stddef.h>

int FormatText(char* buffer, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
int FormatTextV(char* buffer, size_t size, const char* format, va_list args)
    __attribute__((format(printf, 3, 0)));
