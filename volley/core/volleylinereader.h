// Splits the bytes of a text file into lines the way volley reads them: a
// line ends at its line feed, a carriage return right before a line feed is
// dropped, and a line holds at most 255 bytes; the rest of a longer line is
// read as the next line.
#ifndef VOLLEY_LINEREADER_H
#define VOLLEY_LINEREADER_H

#include <stddef.h>

// Capacity of a line buffer, terminator included.
const int kLineSize = 256;

class ResponseLineReader {
public:
    ResponseLineReader(const char* data, size_t size) : data_(data), size_(size) {}

    // Copies the next line into line (always terminated; a NUL byte in the
    // file ends the text there, as for any C string). Returns false when the
    // data is used up.
    bool Next(char (&line)[kLineSize]);

    // The line of the file (from 1, counted by line feeds) that the last
    // line given by Next started in.
    int FileLine() const { return fileLine_; }

private:
    bool IsLineEnd(size_t pos) const;
    size_t CharAt(size_t pos) const;

    const char* data_;
    size_t size_;
    size_t pos_ = 0;
    int fileLine_ = 0;
    int nextFileLine_ = 1;
};

#endif
