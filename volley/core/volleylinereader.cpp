#include "volleylinereader.h"

#include "wptext.h"

#include <limits.h>

// A carriage return right before a line feed belongs to the line end.
bool ResponseLineReader::IsLineEnd(size_t pos) const {
    if (data_[pos] == '\n') return true;
    return data_[pos] == '\r' && pos + 1 < size_ && data_[pos + 1] == '\n';
}

// Bytes of the character at pos: 2 for a lead byte with its trail byte. A
// lead byte before a byte that cannot trail it (a line end, a NUL, a comma)
// stands alone, as it does for the field parser.
size_t ResponseLineReader::CharAt(size_t pos) const {
    if (pos + 1 >= size_) return 1;
    return static_cast<size_t>(CharLength(data_ + pos));
}

bool ResponseLineReader::Next(char (&line)[kLineSize]) {
    if (pos_ >= size_) return false;
    fileLine_ = nextFileLine_;
    int length = 0;
    while (pos_ < size_) {
        // A full line leaves even its line feed for the next read, which then
        // gives an empty line.
        if (length == kLineSize - 1) break;
        if (IsLineEnd(pos_)) {
            pos_ += data_[pos_] == '\r' ? 2 : 1;
            if (nextFileLine_ < INT_MAX) ++nextFileLine_;  // only a message's line number
            break;
        }
        // A double-byte character is never split: when only its lead byte
        // would fit, the whole character starts the next line.
        size_t step = CharAt(pos_);
        if (length + static_cast<int>(step) > kLineSize - 1) break;
        for (size_t i = 0; i < step; ++i) line[length++] = data_[pos_++];
    }
    line[length] = '\0';
    return true;
}
