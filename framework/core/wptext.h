// Text helpers shared by the framework and the programs.
//
// Texts are NUL-terminated Shift-JIS (code page 932) byte strings in fixed
// buffers whose size includes the terminator. Every scan here walks whole
// characters, so a trail byte that looks like '\\' or a letter never splits
// or matches a double-byte character. No <windows.h>: this builds natively.
#ifndef KIVORA_WPTEXT_H
#define KIVORA_WPTEXT_H

#include <stddef.h>

// True when c starts a double-byte character in code page 932.
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// True when c can follow a lead byte as the second byte of a double-byte
// character in code page 932.
inline bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// White space as the C locale knows it: blank, tab, CR, LF, VT, FF. None of
// them can be the trail byte of a double-byte character.
inline bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// c with an ASCII capital turned into its small letter; every other byte as is.
inline char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length in bytes of the character at text: 2 for a complete double-byte
// character, 1 otherwise. A lead byte before a byte that can never trail it
// (the terminator, a comma, a blank) counts alone, so it swallows no
// delimiter.
inline int CharLength(const char* text) {
    return IsLeadByte(static_cast<unsigned char>(text[0])) &&
                   IsTrailByte(static_cast<unsigned char>(text[1]))
               ? 2
               : 1;
}

// Copies at most destSize - 1 bytes of source into dest and terminates it;
// writes nothing when destSize is 0. A cut never leaves half a double-byte
// character behind. Returns the full length of source, so a caller can see
// that the text was cut.
int CopyText(char* dest, int destSize, const char* source);

// Copies the first length bytes of source (or fewer, see CopyText) and
// terminates dest. Returns length.
int CopySpan(char* dest, int destSize, const char* source, int length);

// Drops a lone lead byte at the end of text, the half of a double-byte
// character that a cut made elsewhere (by the system, by vsnprintf) left
// behind. Returns the new length.
int DropHalfCharacterAtEnd(char* text);

// Reads a decimal number leniently: leading white space, an optional sign,
// digits up to the first other character. No digits give 0. A value beyond
// the 32-bit range is held at the nearest limit instead of overflowing.
// When end is given it receives the position after the last digit read
// (or text itself when there were no digits).
int ReadNumber(const char* text, const char** end = nullptr);

// ASCII case-insensitive comparison (<0, 0, >0). Double-byte characters are
// compared exactly, byte for byte.
int CompareNoCase(const char* a, const char* b);

// The part of path after its last backslash (the whole path when it has none).
const char* LastPathComponent(const char* path);

// Position of the first character of text that is one of chars (a set of
// single-byte characters), or nullptr.
const char* FindChar(const char* text, const char* chars);

// Splits text into fields at any of a set of single-byte delimiters. Each call
// skips leading delimiters, takes the text up to the next delimiter and
// remembers the position after that one delimiter; so runs of delimiters
// count as one, leading and trailing ones are ignored and no field is empty.
// The delimiters may change from one call to the next.
class Tokenizer {
public:
    explicit Tokenizer(const char* text) : pos_(text) {}

    // Finds the next field. Returns false when only delimiters are left.
    bool Next(const char* delimiters, const char** start, int* length);

    // Copies the next field into field (cut to fieldSize, see CopyText).
    // Returns the field's full length, or -1 when there is none.
    int Next(const char* delimiters, char* field, int fieldSize);

    // The text not yet consumed.
    const char* Rest() const { return pos_; }

private:
    const char* pos_;
};

#endif
