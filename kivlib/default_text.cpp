#include "default_text.h"

#include "kivlib.h"
#include "wptext.h"

namespace {

// A text longer than the buffer does not fit in one query, and what the
// platform leaves in the buffer then is not defined (it need not even be
// terminated). We read the whole text once more into a buffer of its size
// and hand back its first 63 bytes, cut at a whole character: a caller
// reading a number still gets its leading digits, and nothing past the
// 64 bytes is ever written.
void ReadCutText(HKEY key, LONG wholeSize, char* text) {
    text[0] = '\0';
    HANDLE heap = GetProcessHeap();
    char* whole = static_cast<char*>(HeapAlloc(heap, 0, wholeSize + 1));
    if (!whole) return;
    LONG size = wholeSize;
    if (RegQueryValueA(key, nullptr, whole, &size) == ERROR_SUCCESS) {
        whole[wholeSize] = '\0';
        CopyText(text, kivlibTextSize, whole);
    }
    // The text grew between the two queries, or went away: the empty text.
    HeapFree(heap, 0, whole);
}

}  // namespace

void ReadDefaultText(HKEY key, char* text) {
    LONG size = kivlibTextSize;
    LONG status = RegQueryValueA(key, nullptr, text, &size);
    if (status == ERROR_SUCCESS) {
        // A value stored without its terminator must not run on: a shorter
        // one ends where its bytes end, and one filling the buffer exactly
        // is cut at a whole character like a longer text.
        if (size < kivlibTextSize) {
            text[size] = '\0';
        } else if (text[kivlibTextSize - 1] != '\0') {
            ReadCutText(key, size, text);
        }
    } else if (status == ERROR_MORE_DATA && size > kivlibTextSize) {
        ReadCutText(key, size, text);
    } else {
        text[0] = '\0';
    }
}
