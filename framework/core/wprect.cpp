#include "wprect.h"

#include "wptext.h"

namespace {

int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }

}  // namespace

void WPRect::Normalize() {
    if (left > right) {
        int32_t t = left;
        left = right;
        right = t;
    }
    if (top > bottom) {
        int32_t t = top;
        top = bottom;
        bottom = t;
    }
}

bool WPRect::Intersect(const WPRect& other) {
    WPRect overlap(Max(left, other.left), Max(top, other.top), Min(right, other.right),
                   Min(bottom, other.bottom));
    if (IsEmpty() || other.IsEmpty() || overlap.IsEmpty()) {
        *this = WPRect();
        return false;
    }
    *this = overlap;
    return true;
}

bool WPRect::Union(const WPRect& other) {
    if (other.IsEmpty()) {
        if (IsEmpty()) *this = WPRect();
        return !IsEmpty();
    }
    if (IsEmpty()) {
        *this = other;
        return true;
    }
    *this = WPRect(Min(left, other.left), Min(top, other.top), Max(right, other.right),
                   Max(bottom, other.bottom));
    return true;
}

WPRect WPRect::TextExtent(const char* text) {
    WPRect extent;
    if (!text) return extent;
    int32_t lines = 0;
    int32_t longest = 0;
    int32_t current = 0;
    bool lineOpen = false;
    for (const char* p = text; *p;) {
        if (*p == '\n') {
            ++lines;
            longest = Max(longest, current);
            current = 0;
            lineOpen = false;
            ++p;
            continue;
        }
        lineOpen = true;
        if (!(*p == '\r' && p[1] == '\n')) ++current;
        p += CharLength(p);
    }
    if (lineOpen) {
        ++lines;
        longest = Max(longest, current);
    }
    extent.right = longest;
    extent.bottom = lines;
    return extent;
}
