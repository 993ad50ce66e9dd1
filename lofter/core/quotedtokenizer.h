// Cutting lofter's settings word, in which a double-quoted run (a path with
// blanks) holds together.
#pragma once

// Splits text at one single-byte delimiter like the framework's Tokenizer:
// runs of the delimiter count as one and no field is empty. When quotes are
// honoured, a delimiter inside a double-quoted run does not cut, and a quote
// without a partner runs to the end of the text. Without a double quote in
// the text both cut alike. Double-byte characters are stepped over whole;
// the quote (0x22) can never be the second byte of one.
class QuotedTokenizer {
public:
    explicit QuotedTokenizer(const char* text) : pos_(text) {}

    // Finds the next field; false when only delimiters are left.
    bool Next(char delimiter, bool quotes, const char** start, int* length);

    // The text not yet consumed.
    const char* Rest() const { return pos_; }

private:
    const char* pos_;
};

// The length of the first length bytes of source without their double quotes.
int UnquotedLength(const char* source, int length);

// Copies the first length bytes of source into dest without their double
// quotes and terminates it. When they do not fit in destSize bytes, dest is
// left empty: a path cut short would name another file.
void CopyUnquoted(char* dest, int destSize, const char* source, int length);
