// Points and rectangles of handler arguments and drawing. Window-free: the
// few operations that ask a window for its rectangle live in the framework
// library (wprectwin.cpp) and take a window object.
#ifndef KIVORA_WPRECT_H
#define KIVORA_WPRECT_H

#include <stdint.h>

class WPWin;

struct WPPoint {
    int32_t x = 0;
    int32_t y = 0;

    WPPoint() = default;
    WPPoint(int32_t px, int32_t py) : x(px), y(py) {}

    bool operator==(const WPPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const WPPoint& other) const { return !(*this == other); }
};

struct WPRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    WPRect() = default;
    WPRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    // Setting a size moves the right or bottom edge.
    void SetWidth(int32_t width) { right = left + width; }
    void SetHeight(int32_t height) { bottom = top + height; }

    // Empty: no area (width or height not above 0).
    bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }

    // Swaps edges so that left <= right and top <= bottom.
    void Normalize();

    // Replace this rectangle by its overlap with other (all zero when they do
    // not overlap). Returns whether the result is not empty.
    bool Intersect(const WPRect& other);

    // Replace this rectangle by the smallest one holding both; an empty
    // rectangle adds nothing. Returns whether the result is not empty.
    bool Union(const WPRect& other);

    bool operator==(const WPRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
    bool operator!=(const WPRect& other) const { return !(*this == other); }

    // The extent of a text in characters and lines: a rectangle at (0, 0)
    // whose width is the number of characters of the longest line (a
    // double-byte character counts once) and whose height is the number of
    // lines. A line ends at '\n'; a '\r' before it is not counted; an empty
    // text has no lines, and a final '\n' starts no new line.
    static WPRect TextExtent(const char* text);

    // The client or window rectangle of a window (client: in client
    // coordinates, window: in screen coordinates); the whole screen when no
    // window is given. Defined in the framework library (Win32 only).
    void SetClient(const WPWin* win);
    void SetWindow(const WPWin* win);
};

#endif
