// Code page 932 as the host's iconv converts it, standing in natively for
// the system's conversion (framework/wpcodepage.cpp). Over the whole Basic
// Multilingual Plane the two agree but for U+0080 and U+F8F0..U+F8F3, which
// only the system maps (compared under Wine). A look-alike that iconv
// offers (a backslash for the yen sign) does not convert back to the same
// character and counts as none.
#pragma once

#include "wptextfile.h"

#include <iconv.h>
#include <string.h>

#include <string>

inline int HostCp932(unsigned short unit, char* out) {
    static iconv_t toCp932 = iconv_open("CP932", "UTF-16LE");
    static iconv_t fromCp932 = iconv_open("UTF-16LE", "CP932");
    char wide[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    char bytes[2];
    char* in = wide;
    size_t inLeft = sizeof wide;
    char* to = bytes;
    size_t toLeft = sizeof bytes;
    iconv(toCp932, nullptr, nullptr, nullptr, nullptr);
    if (iconv(toCp932, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1)) return 0;
    const int count = static_cast<int>(sizeof bytes - toLeft);

    char back[4];
    in = bytes;
    inLeft = count;
    to = back;
    toLeft = sizeof back;
    iconv(fromCp932, nullptr, nullptr, nullptr, nullptr);
    if (iconv(fromCp932, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1)) return 0;
    if (sizeof back - toLeft != sizeof wide || memcmp(back, wide, sizeof wide) != 0) return 0;
    memcpy(out, bytes, count);
    return count;
}

// Makes HostCp932 the map that files are read with until the end of the scope.
class HostCp932Installed {
public:
    HostCp932Installed() : previous_(SetCp932Map(HostCp932)) {}
    ~HostCp932Installed() { SetCp932Map(previous_); }
    HostCp932Installed(const HostCp932Installed&) = delete;
    HostCp932Installed& operator=(const HostCp932Installed&) = delete;

private:
    WPCp932Map previous_;
};

// The bytes of UTF-16 text as a file holds them.
inline std::string Utf16Bytes(const std::u16string& text, bool bigEndian = false) {
    std::string bytes;
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}
