#include "wptextdecode.h"

#include <limits.h>
#include <string.h>

namespace {

const unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
const unsigned char kUtf16LeMark[] = {0xFF, 0xFE};
const unsigned char kUtf16BeMark[] = {0xFE, 0xFF};

const unsigned long kFirstNonAscii = 0x80;
const unsigned long kLastBmp = 0xFFFF;
const unsigned long kFirstSurrogate = 0xD800;
const unsigned long kLastSurrogate = 0xDFFF;
const unsigned long kLastCodePoint = 0x10FFFF;

bool StartsWith(const unsigned char* data, size_t size, const unsigned char* mark, size_t markSize) {
    return size >= markSize && memcmp(data, mark, markSize) == 0;
}

// Bytes of the well-formed UTF-8 sequence at p (of left bytes), its code
// point in *codePoint; 0 when none starts there: a stray continuation byte,
// a cut sequence, an overlong form, a surrogate or a value past U+10FFFF.
size_t Utf8Sequence(const unsigned char* p, size_t left, unsigned long* codePoint) {
    const unsigned char lead = p[0];
    size_t length;
    unsigned long value;
    unsigned long smallest;
    if (lead < kFirstNonAscii) {
        *codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (length > left) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        value = value << 6 | (p[i] & 0x3F);
    }
    if (value < smallest || (value >= kFirstSurrogate && value <= kLastSurrogate) || value > kLastCodePoint)
        return 0;
    *codePoint = value;
    return length;
}

// A file without a mark is UTF-8 only when every byte of it belongs to a
// well-formed sequence and one sequence is longer than a byte: a code page
// 932 file in which a part happens to look like UTF-8 stays code page 932.
bool IsUtf8Text(const unsigned char* data, size_t size) {
    bool beyondAscii = false;
    unsigned long codePoint;
    for (size_t pos = 0; pos < size;) {
        const size_t length = Utf8Sequence(data + pos, size - pos, &codePoint);
        if (length == 0) return false;
        beyondAscii |= length > 1;
        pos += length;
    }
    return beyondAscii;
}

// Writes characters into out and counts the lines as it goes.
class Cp932Writer {
public:
    Cp932Writer(char* out, WPCp932Map map) : out_(out), map_(map) {}

    // False when code page 932 has no such character. A character outside
    // the Basic Multilingual Plane (an emoji) never has one.
    bool Put(unsigned long codePoint) {
        if (codePoint < kFirstNonAscii) {
            out_[length_++] = static_cast<char>(codePoint);
            if (codePoint == '\n' && line_ < INT_MAX) ++line_;
            return true;
        }
        if (codePoint > kLastBmp || !map_) return false;
        char bytes[2];
        const int count = map_(static_cast<unsigned short>(codePoint), bytes);
        if (count < 1 || count > 2) return false;
        memcpy(out_ + length_, bytes, count);
        length_ += count;
        return true;
    }

    size_t Length() const { return length_; }
    int Line() const { return line_; }

private:
    char* out_;
    WPCp932Map map_;
    size_t length_ = 0;
    int line_ = 1;
};

WPDecodedText Converted(WPTextEncoding encoding, const Cp932Writer& writer) {
    return WPDecodedText{encoding, writer.Length(), 0};
}

WPDecodedText Refused(WPTextEncoding encoding, const Cp932Writer& writer) {
    return WPDecodedText{encoding, writer.Length(), writer.Line()};
}

WPDecodedText FromUtf8(const unsigned char* data, size_t size, WPTextEncoding encoding, Cp932Writer& writer) {
    unsigned long codePoint;
    for (size_t pos = 0; pos < size;) {
        const size_t length = Utf8Sequence(data + pos, size - pos, &codePoint);
        if (length == 0 || !writer.Put(codePoint)) return Refused(encoding, writer);
        pos += length;
    }
    return Converted(encoding, writer);
}

WPDecodedText FromUtf16(const unsigned char* data, size_t size, WPTextEncoding encoding, Cp932Writer& writer) {
    const bool bigEndian = encoding == kTextUtf16Be;
    for (size_t pos = 0; pos < size; pos += 2) {
        // An odd last byte is half a character that was cut off.
        if (size - pos < 2) return Refused(encoding, writer);
        const unsigned long unit = bigEndian ? (data[pos] << 8 | data[pos + 1]) : (data[pos + 1] << 8 | data[pos]);
        // Either half of a pair: the pair is a character beyond the Basic
        // Multilingual Plane, which code page 932 never holds, or broken.
        if (unit >= kFirstSurrogate && unit <= kLastSurrogate) return Refused(encoding, writer);
        if (!writer.Put(unit)) return Refused(encoding, writer);
    }
    return Converted(encoding, writer);
}

}  // namespace

WPDecodedText DecodeText(const char* data, size_t size, char* out, WPCp932Map map) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
    Cp932Writer writer(out, map);
    if (StartsWith(bytes, size, kUtf8Mark, sizeof kUtf8Mark))
        return FromUtf8(bytes + sizeof kUtf8Mark, size - sizeof kUtf8Mark, kTextUtf8Marked, writer);
    if (StartsWith(bytes, size, kUtf16LeMark, sizeof kUtf16LeMark))
        return FromUtf16(bytes + sizeof kUtf16LeMark, size - sizeof kUtf16LeMark, kTextUtf16Le, writer);
    if (StartsWith(bytes, size, kUtf16BeMark, sizeof kUtf16BeMark))
        return FromUtf16(bytes + sizeof kUtf16BeMark, size - sizeof kUtf16BeMark, kTextUtf16Be, writer);
    if (IsUtf8Text(bytes, size)) return FromUtf8(bytes, size, kTextUtf8, writer);
    if (size) memcpy(out, data, size);
    return WPDecodedText{kTextCp932, size, 0};
}
