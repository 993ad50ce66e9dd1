// Checks shared by volley's fuzz targets. A failed check aborts, which
// libFuzzer reports as a finding with the input that caused it.
#ifndef VOLLEY_FUZZ_CHECKS_H
#define VOLLEY_FUZZ_CHECKS_H

#include "wptext.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>

inline void Require(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "check failed: %s\n", what);
        abort();
    }
}

// Copies a fixed text field into a heap buffer of exactly its capacity and
// requires the terminator inside it. Reading the copy then stays inside that
// buffer, so ASan reports any text that ran over into its neighbour.
inline std::unique_ptr<char[]> HeapText(const char* field, size_t capacity, const char* what) {
    std::unique_ptr<char[]> copy(new char[capacity]);
    memcpy(copy.get(), field, capacity);
    Require(memchr(copy.get(), '\0', capacity) != nullptr, what);
    return copy;
}

// True when text holds the single-byte character c, walking whole characters
// as the parsers do.
inline bool HasChar(const char* text, char c) {
    const char set[2] = {c, '\0'};
    return FindChar(text, set) != nullptr;
}

#endif
