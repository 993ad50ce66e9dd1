#include "wpcodepage.h"

#include <windows.h>

namespace {

const UINT kShiftJis = 932;
const int kMaxCharBytes = 2;

}  // namespace

int SystemCp932(unsigned short unit, char* out) {
    const wchar_t wide = static_cast<wchar_t>(unit);
    BOOL usedDefault = FALSE;
    // Left to itself the system puts a look-alike in place of a character
    // it lacks (a backslash for a yen sign, e for é), which would name
    // another file; this way it puts the default character and says so.
    const int count =
        WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, &wide, 1, out, kMaxCharBytes, nullptr, &usedDefault);
    return usedDefault ? 0 : count;
}
