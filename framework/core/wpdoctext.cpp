#include "wpdoctext.h"

#include <string.h>

#include "wptext.h"

namespace {
// Appends source at *used, cutting at the buffer's end; returns the length
// the whole text would have had. *used stays below size, so there is always
// room for the terminator (a size of 0 writes nothing).
int Append(char* dest, int size, int* used, const char* source) {
    int full = CopyText(dest + *used, size - *used, source);
    if (size > 0)
        *used += static_cast<int>(strlen(dest + *used));
    return full;
}
}  // namespace

int FormatCaption(char* dest, int size, const char* title, const char* name) {
    if (size > 0)
        dest[0] = '\0';
    int used = 0;
    int full = Append(dest, size, &used, title ? title : "");
    full += Append(dest, size, &used, " ");
    full += Append(dest, size, &used, name && name[0] ? name : "(untitled)");
    return full;
}

int FormatSavePrompt(char* dest, int size, const char* name) {
    if (size > 0)
        dest[0] = '\0';
    int used = 0;
    if (!name || !name[0])
        return Append(dest, size, &used, "「無題」は更新されています。保存しますか？");
    int full = Append(dest, size, &used, name);
    full += Append(dest, size, &used, " は更新されています。保存しますか？");
    return full;
}
