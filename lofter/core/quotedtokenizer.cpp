#include "quotedtokenizer.h"

#include "wptext.h"

namespace {

bool IsSingle(const char* p, char c) { return CharLength(p) == 1 && *p == c; }

}  // namespace

bool QuotedTokenizer::Next(char delimiter, bool quotes, const char** start, int* length) {
    const char* p = pos_;
    while (*p && IsSingle(p, delimiter)) ++p;
    if (*p == '\0') {
        pos_ = p;
        return false;
    }
    const char* field = p;
    bool quoted = false;
    for (; *p; p += CharLength(p)) {
        if (quotes && IsSingle(p, '"'))
            quoted = !quoted;
        else if (!quoted && IsSingle(p, delimiter))
            break;
    }
    *start = field;
    *length = static_cast<int>(p - field);
    pos_ = *p ? p + 1 : p;  // step over the one delimiter that ended the field
    return true;
}

int UnquotedLength(const char* source, int length) {
    int kept = 0;
    for (int i = 0; i < length; ++i) kept += source[i] != '"';
    return kept;
}

void CopyUnquoted(char* dest, int destSize, const char* source, int length) {
    if (destSize <= 0) return;
    char* out = dest;
    if (UnquotedLength(source, length) < destSize) {
        for (int i = 0; i < length; ++i)
            if (source[i] != '"') *out++ = source[i];
    }
    *out = '\0';
}
