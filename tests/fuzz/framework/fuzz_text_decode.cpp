// Fuzzes the decoder of lists and response files on the bytes of a file.
// The first byte picks the map: the host's code page 932 or none. Checked:
// the decoder reads only the file's bytes and writes only the output's
// (each in a heap block of exactly that size, so ASan sees a byte beyond),
// the encoding follows the mark, a refusal names a line of the file, and a
// file of code page 932 characters that starts with a double-byte one
// (never UTF-8) comes out unchanged.
#include "wptextdecode.h"

#include "host_cp932.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "check failed: %s\n", what);
        abort();
    }
}

struct Result {
    WPDecodedText decoded;
    std::string text;
};

Result Decode(const std::string& file, WPCp932Map map) {
    std::unique_ptr<char[]> in(new char[file.size() ? file.size() : 1]);
    std::unique_ptr<char[]> out(new char[file.size() ? file.size() : 1]);
    memcpy(in.get(), file.data(), file.size());
    Result r{DecodeText(in.get(), file.size(), out.get(), map), ""};
    Require(r.decoded.length <= file.size(), "the text is no longer than the file");
    if (!r.decoded.refusedLine) r.text.assign(out.get(), r.decoded.length);
    return r;
}

bool StartsWith(const std::string& file, const char* mark) { return file.compare(0, strlen(mark), mark) == 0; }

// Code page 932 characters made from the bytes: ASCII and half-width
// katakana as they are, any other byte a lead byte paired with the next as
// its trail byte. The first is 亜 (88 9F), and 88 can never start UTF-8.
std::string Cp932Text(const std::string& bytes) {
    std::string text = "\x88\x9F";
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char b = bytes[i];
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
            text += static_cast<char>(b);
            continue;
        }
        const unsigned char lead = b < 0xA1 ? 0x81 + b % 0x1F : 0xE0 + b % 0x1D;
        const unsigned char next = i + 1 < bytes.size() ? bytes[++i] : 0;
        const unsigned char trail = 0x40 + next % 0xBC;  // 40..FB
        text += static_cast<char>(lead);
        text += static_cast<char>(trail == 0x7F ? 0x80 : trail);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const WPCp932Map map = data[0] % 2 ? nullptr : HostCp932;
    const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);

    const Result r = Decode(file, map);
    if (StartsWith(file, "\xEF\xBB\xBF")) {
        Require(r.decoded.encoding == kTextUtf8Marked, "the UTF-8 mark is seen");
    } else if (StartsWith(file, "\xFF\xFE") || StartsWith(file, "\xFE\xFF")) {
        Require(r.decoded.encoding == (file[0] == '\xFF' ? kTextUtf16Le : kTextUtf16Be), "the UTF-16 mark is seen");
    } else if (r.decoded.encoding == kTextCp932) {
        Require(r.decoded.refusedLine == 0 && r.text == file, "code page 932 comes out byte for byte");
    } else {
        Require(r.decoded.encoding == kTextUtf8, "without a mark: code page 932 or UTF-8");
    }
    const long lineEnds = std::count(file.begin(), file.end(), '\n');
    Require(r.decoded.refusedLine >= 0 && r.decoded.refusedLine <= lineEnds + 1, "a refusal names a line of the file");
    const Result again = Decode(file, map);
    Require(again.decoded.refusedLine == r.decoded.refusedLine && again.text == r.text, "decoding is deterministic");

    const std::string cp932 = Cp932Text(file);
    const Result same = Decode(cp932, map);
    Require(same.decoded.encoding == kTextCp932 && same.decoded.refusedLine == 0 && same.text == cp932,
            "a code page 932 file comes out unchanged");
    return 0;
}
