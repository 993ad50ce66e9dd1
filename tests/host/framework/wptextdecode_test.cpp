// Texts in this file are code page 932 (the literals are compiled so), u8
// literals are UTF-8 and u literals UTF-16.
#include "wptextdecode.h"

#include "host_cp932.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";

std::string Le(const std::u16string& text) { return Utf16Bytes(text, false); }
std::string Be(const std::u16string& text) { return Utf16Bytes(text, true); }

struct Decoded {
    WPDecodedText result;
    std::string text;
};

Decoded Decode(const std::string& file, WPCp932Map map = HostCp932) {
    const std::vector<char> data(file.begin(), file.end());  // exact: a read past the end is caught
    std::string out(file.size(), '\xCC');
    Decoded d{DecodeText(data.data(), data.size(), &out[0], map), ""};
    d.text = out.substr(0, d.result.length);
    return d;
}

}  // namespace

TEST(DecodeText, ReadsEachEncodingAsItWasSaved) {
    struct Case {
        const char* fault;
        std::string file;
        WPTextEncoding encoding;
        std::string text;
    } cases[] = {
        {"an ASCII file changed", "a.exe\r\n#time,5\n", kTextCp932, "a.exe\r\n#time,5\n"},
        {"an empty file misread", "", kTextCp932, ""},
        {"a code page 932 file changed", "C:\\表\\ｱ.txt,表\n", kTextCp932, "C:\\表\\ｱ.txt,表\n"},
        {"code page 932 taken for UTF-8 because a part of it is (ﾃｽ is C3 BD, a UTF-8 letter)", "ﾃｽﾄ.txt\n", kTextCp932,
         "ﾃｽﾄ.txt\n"},
        {"a cut multi-byte sequence at the end taken for UTF-8", std::string(u8"メモ").substr(0, 5), kTextCp932,
         std::string(u8"メモ").substr(0, 5)},
        {"UTF-16 without its mark taken for anything but bytes", Le(u"a.exe"), kTextCp932, Le(u"a.exe")},
        {"a surrogate's UTF-8 form (ED A0 80) taken for UTF-8", "\xED\xA0\x80\n", kTextCp932, "\xED\xA0\x80\n"},
        {"the last surrogate's UTF-8 form (ED BF BF) taken for UTF-8", "\xED\xBF\xBF\n", kTextCp932, "\xED\xBF\xBF\n"},
        {"a value past U+10FFFF (F4 90 80 80) taken for UTF-8", "\xF4\x90\x80\x80\n", kTextCp932, "\xF4\x90\x80\x80\n"},
        {"the first private-use character (U+E000) taken for a surrogate", u8"\uE000", kTextUtf8, "\xF0\x40"},
        {"continuation bytes taken for leads (BF BF ...)", std::string(6, '\xBF') + u8"メ", kTextCp932,
         std::string(6, '\xBF') + u8"メ"},
        {"a continuation byte taken for a four-byte lead (81 80 80 80)", "\x81\x80\x80\x80" + std::string(u8"メ"),
         kTextCp932, "\x81\x80\x80\x80" + std::string(u8"メ")},
        {"F9, no lead at all, taken for a four-byte lead", "\xF9\x80\x80\x80" + std::string(u8"メ"), kTextCp932,
         "\xF9\x80\x80\x80" + std::string(u8"メ")},
        {"U+FFFF in four bytes (F0 8F BF BF, overlong) taken", "\xF0\x8F\xBF\xBF" + std::string(u8"メ"), kTextCp932,
         "\xF0\x8F\xBF\xBF" + std::string(u8"メ")},
        {"U+07FF in three bytes (E0 9F BF, overlong) taken", "\xE0\x9F\xBF" + std::string(u8"メ"), kTextCp932,
         "\xE0\x9F\xBF" + std::string(u8"メ")},
        {"a lead's low bit dropped (× read as U+0097)", u8"\u00D7", kTextUtf8, "×"},
        {"UTF-8 without a mark left as bytes", u8"メモ.txt\r\nｱ\n", kTextUtf8, "メモ.txt\r\nｱ\n"},
        {"a stray continuation byte (80) taken for ASCII", "\x80" + std::string(u8"メ"), kTextCp932,
         "\x80" + std::string(u8"メ")},
        {"DEL (7F) taken for a broken sequence: UTF-8 left as bytes", "\x7F" + std::string(u8"メモ"), kTextUtf8,
         "\x7Fメモ"},
        {"the UTF-8 mark kept", kUtf8Mark + u8"メモ.txt\r\n", kTextUtf8Marked, "メモ.txt\r\n"},
        {"the mark breaks an ASCII first line", kUtf8Mark + "a.exe\n", kTextUtf8Marked, "a.exe\n"},
        {"UTF-16 LE misread", Le(u"\uFEFFメモ.txt\r\n表"), kTextUtf16Le, "メモ.txt\r\n表"},
        {"UTF-16 BE misread", Be(u"\uFEFFメモ.txt\r\n表"), kTextUtf16Be, "メモ.txt\r\n表"},
        {"a UTF-8 mark alone left in the text", kUtf8Mark, kTextUtf8Marked, ""},
        {"a UTF-16 LE mark alone left in the text", "\xFF\xFE", kTextUtf16Le, ""},
        {"a UTF-16 BE mark alone left in the text", "\xFE\xFF", kTextUtf16Be, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        Decoded d = Decode(c.file);
        EXPECT_EQ(0, d.result.refusedLine);
        EXPECT_EQ(c.encoding, d.result.encoding);
        EXPECT_EQ(c.text, d.text);
    }
}

TEST(DecodeText, RefusesWhatCodePage932CannotHoldAndNamesItsLine) {
    struct Case {
        const char* fault;
        std::string file;
        int line;
        WPCp932Map map;
    } cases[] = {
        {"an emoji dropped or replaced", u8"a.exe\n\U0001F600.txt\n", 2, HostCp932},
        {"an emoji in UTF-16 (a surrogate pair) let through", Le(u"\uFEFFa\n\U0001F600"), 2, HostCp932},
        {"a lone surrogate let through", Le(u"\uFEFFa") + std::string("\x00\xD8", 2) + Le(u"b"), 1, HostCp932},
        {"the yen sign's look-alike (a backslash) taken", kUtf8Mark + u8"C:\u00A5a", 1, HostCp932},
        {"an accented e taken as e", u8"\n\ncaf\u00E9", 3, HostCp932},
        {"CR LF counted as two lines, or lines counted from 0", u8"a\r\nb\r\n\U0001F600", 3, HostCp932},
        {"a lone CR counted as a line end", u8"a\rb\n\U0001F600", 2, HostCp932},
        {"a marked file's cut sequence at the end let through", kUtf8Mark + "a\n" + std::string(u8"メ").substr(0, 2),
         2, HostCp932},
        {"an overlong slash in a marked file let through", kUtf8Mark + "a\\\xE0\x80\xAF", 1, HostCp932},
        {"a character beyond the BMP cut to its low bits (U+13042 to あ)", u8"\U00013042", 1, HostCp932},
        {"the last code point (U+10FFFF) taken for a broken sequence: the file read as bytes", u8"a\n\U0010FFFF", 2,
         HostCp932},
        {"U+10000 passed on as its low bits (a NUL)", u8"\U00010000", 1, HostCp932},
        {"a four-byte lead's bit dropped (U+40000 read as U+0000)", u8"\U00040000", 1, HostCp932},
        {"a broken sequence after a line end counted as another line", kUtf8Mark + "a\n\xE0\x80\xAF", 2, HostCp932},
        {"the first of two bytes (C2 80, U+0080) taken for a broken sequence", u8"\u0080", 1, HostCp932},
        {"the last of two bytes (DF BF, U+07FF) taken for a broken sequence", u8"\u07FF", 1, HostCp932},
        {"the first of three bytes (E0 A0 80, U+0800) taken for a broken sequence", u8"\u0800", 1, HostCp932},
        {"the last character before the surrogates (U+D7FF) taken for one: the file read as bytes", u8"a\n\uD7FF", 2,
         HostCp932},
        {"UTF-16 with an odd byte count: the last half character dropped", Le(u"\uFEFFa\nb") + "c", 2, HostCp932},
        {"characters beyond ASCII converted without a map", u8"メモ", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(c.line, Decode(c.file, c.map).result.refusedLine);
    }
}

// Blocks the sanitizer's allocator hands out while counting: host builds
// run under it.
static int allocations = -1;
extern "C" void __sanitizer_malloc_hook(const volatile void*, size_t) {
    if (allocations >= 0) ++allocations;
}

TEST(ReadTextFile, ReadsALargeFileWholeInAFewBlocks) {
    const std::string name = ::testing::TempDir() + "kivora_large_list.txt";
    // Lines of 22 bytes, so most reads of 4 KB end inside one.
    std::string text;
    for (int i = 0; i < (1 << 15); ++i) text.append("C:\\tools\\entry12.exe\r\n");
    FILE* out = fopen(name.c_str(), "wb");
    ASSERT_NE(nullptr, out);
    fwrite(text.data(), 1, text.size(), out);
    fclose(out);
    allocations = 0;
    WPTextFile file = ReadTextFile(name.c_str());
    const int used = allocations;
    allocations = -1;
    remove(name.c_str());
    ASSERT_EQ(WPTextFile::kRead, file.status);
    ASSERT_EQ(text.size(), file.length);
    EXPECT_EQ(0, memcmp(text.data(), file.text.get(), text.size()));
    // 704 KB in blocks that double from 4 KB: 9 of them, the text's block
    // and the stream's own. A block grown by each read instead (192 here)
    // copies all that came before again for every 4 KB: quadratic time.
    EXPECT_GT(used, 0) << "the allocator's hook is not called";
    EXPECT_LT(used, 24);
    EXPECT_EQ(WPTextFile::kMissing, ReadTextFile(name.c_str()).status);
}
