// Text files as today's editors save them, turned into the code page 932
// text that the programs work in. A file with a byte-order mark is UTF-8 or
// UTF-16 (either byte order); a file without one is UTF-8 only when all of
// it is well-formed UTF-8 and it holds at least one character beyond ASCII,
// and otherwise code page 932 already, taken byte for byte. No <windows.h>:
// this builds natively.
#pragma once

#include <stddef.h>

// Code page 932's bytes for a UTF-16 code unit that is no surrogate half:
// writes one or two bytes to out and returns how many, or returns 0 when
// code page 932 has no such character. A look-alike (a yen sign for a
// backslash, "?" for anything) does not count as the character.
typedef int (*WPCp932Map)(unsigned short unit, char* out);

enum WPTextEncoding {
    kTextCp932,        // no mark, and not all of it UTF-8: taken as it is
    kTextUtf8,         // no mark, all of it UTF-8 with a character beyond ASCII
    kTextUtf8Marked,
    kTextUtf16Le,      // marked FF FE
    kTextUtf16Be,      // marked FE FF
};

struct WPDecodedText {
    WPTextEncoding encoding;
    size_t length;     // bytes written to out
    // 0 when the whole file was converted. Otherwise the line, counted from
    // 1 by line feeds as an editor shows it, of the first character that
    // code page 932 cannot hold or that the file's encoding does not form
    // (a cut or broken sequence, a lone UTF-16 surrogate, an odd last byte);
    // out is then not to be used.
    int refusedLine;
};

// Converts the size bytes at data into out, which must hold size bytes: no
// character takes more bytes in code page 932 than in the file, and the mark
// is dropped. map turns characters beyond ASCII into code page 932; without
// one, none converts. Line ends are kept as they are.
WPDecodedText DecodeText(const char* data, size_t size, char* out, WPCp932Map map);
