// FormatText on the C runtime DLL's formatter: snprintf's answers, where the
// DLL alone would leave a full buffer unterminated or answer -1.
#include "wpformat.h"

#include <gtest/gtest.h>

#include <string.h>

TEST(FormatText, CutsTerminatesAndAnswersTheWholeLength) {
    struct Case {
        const char* fault;
        size_t size;
        const char* expected;
        int length;
    };
    // The whole text is "12-ab" (5 characters).
    const Case cases[] = {
        {"a text with room to spare comes out whole", 16, "12-ab", 5},
        {"a text one byte short of room lost its terminator", 5, "12-a", 5},
        {"a cut text was left unterminated or answered -1", 3, "12", 5},
        {"a one-byte buffer was not terminated", 1, "", 5},
    };
    for (const Case& c : cases) {
        char buffer[32];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(c.length, FormatText(buffer, c.size, "%d-%s", 12, "ab")) << c.fault;
        EXPECT_STREQ(c.expected, buffer) << c.fault;
        EXPECT_EQ('x', buffer[c.size]) << c.fault << " (wrote past the size)";
    }
    // An empty text is its terminator alone: the rest of the buffer is the caller's.
    char empty[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(0, FormatText(empty, sizeof empty, "%s", ""));
    EXPECT_EQ(0, memcmp(empty, "\0xxx", sizeof empty));
    // No buffer at all: only the length, nothing written.
    EXPECT_EQ(5, FormatText(nullptr, 0, "%d-%s", 12, "ab"));
}
