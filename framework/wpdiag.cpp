#include "wpdiag.h"

#include "wpformat.h"
#include "wpheapstats.h"
#include "wpplatform.h"
#include "wptext.h"

#include <stdarg.h>

void WPAssert(const char* expression, const char* file, unsigned line) {
    char text[kAssertTextSize];
    FormatAssertText(text, expression, file, line);
    Platform().Beep(0);
    int answer = Platform().ShowMessageBox(nullptr, text, "ASSERTION FAILURE",
                                           MB_TASKMODAL | MB_ICONHAND | MB_OKCANCEL);
    if (answer != IDOK) Platform().EndProcess(-1);
}

void WPError(const char* format, ...) {
    // Formatted in full first, then cut by whole characters to 127.
    char full[1024];
    va_list args;
    va_start(args, format);
    FormatTextV(full, sizeof full, format, args);
    va_end(args);
    char text[kErrorTextSize];
    CopyText(text, sizeof text, full);
    Platform().ShowMessageBox(nullptr, text, nullptr, MB_ICONEXCLAMATION | MB_OK);
}
