#include "wptext.h"

#include <limits.h>

namespace {

bool IsOneOf(char c, const char* set) {
    for (; *set; ++set)
        if (*set == c) return true;
    return false;
}

}  // namespace

int CopySpan(char* dest, int destSize, const char* source, int length) {
    if (destSize <= 0) return length;
    int limit = length < destSize - 1 ? length : destSize - 1;
    int copied = 0;
    while (copied < limit) {
        int step = CharLength(source + copied);
        if (copied + step > limit) break;  // half a character would be left
        copied += step;
    }
    for (int i = 0; i < copied; ++i) dest[i] = source[i];
    dest[copied] = '\0';
    return length;
}

int CopyText(char* dest, int destSize, const char* source) {
    int length = 0;
    while (source[length] != '\0') ++length;
    return CopySpan(dest, destSize, source, length);
}

int DropHalfCharacterAtEnd(char* text) {
    int length = 0;
    while (text[length] != '\0') {
        // Only the last byte: a stray lead byte inside the text is a
        // character of its own.
        if (text[length + 1] == '\0' && IsLeadByte(static_cast<unsigned char>(text[length]))) {
            text[length] = '\0';
            break;
        }
        length += CharLength(text + length);
    }
    return length;
}

int ReadNumber(const char* text, const char** end) {
    const char* p = text;
    while (IsSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    // Accumulate the magnitude towards the limit of the sign's side.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit) value = limit;
    }
    if (end) *end = (p == digits) ? text : p;
    return static_cast<int>(negative ? -value : value);
}

int CompareNoCase(const char* a, const char* b) {
    for (;;) {
        int step = CharLength(a);
        if (step == 2) {
            for (int i = 0; i < 2; ++i) {
                if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
            }
            a += 2;
            b += 2;
            continue;
        }
        unsigned char ca = static_cast<unsigned char>(FoldAscii(*a));
        unsigned char cb = static_cast<unsigned char>(FoldAscii(*b));
        if (ca != cb || ca == '\0') return ca - cb;
        ++a;
        ++b;
    }
}

const char* FindChar(const char* text, const char* chars) {
    for (const char* p = text; *p; p += CharLength(p))
        if (CharLength(p) == 1 && IsOneOf(*p, chars)) return p;
    return nullptr;
}

const char* LastPathComponent(const char* path) {
    const char* last = path;
    for (const char* p = path; (p = FindChar(p, "\\")) != nullptr; ++p) last = p + 1;
    return last;
}

bool Tokenizer::Next(const char* delimiters, const char** start, int* length) {
    const char* p = pos_;
    while (*p && CharLength(p) == 1 && IsOneOf(*p, delimiters)) ++p;
    if (*p == '\0') {
        pos_ = p;
        return false;
    }
    const char* field = p;
    while (*p && !(CharLength(p) == 1 && IsOneOf(*p, delimiters))) p += CharLength(p);
    *start = field;
    *length = static_cast<int>(p - field);
    pos_ = *p ? p + 1 : p;  // step over the one delimiter that ended the field
    return true;
}

int Tokenizer::Next(const char* delimiters, char* field, int fieldSize) {
    const char* start;
    int length;
    if (!Next(delimiters, &start, &length)) {
        CopySpan(field, fieldSize, "", 0);
        return -1;
    }
    return CopySpan(field, fieldSize, start, length);
}
