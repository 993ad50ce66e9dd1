// The screens a position on lofter's command line can count from: the
// primary screen as it always has, or a monitor chosen by its number (m=N).
#pragma once

#include "wprect.h"

namespace lofter {

// Monitors beyond this many get no number.
constexpr int kMaxMonitors = 16;

struct ScreenLayout {
    // The desktop window's rectangle: its right and bottom edges serve as the
    // primary screen's width and height.
    WPRect primary;
    // Monitor 1 first, then 2, ...: see NumberMonitor.
    WPRect monitors[kMaxMonitors];
    int monitorCount = 0;
    bool hasPrimary = false;  // monitors[0] is the primary monitor

    explicit ScreenLayout(const WPRect& primaryScreen) : primary(primaryScreen) {}
};

// Numbers a monitor (its rectangle on the virtual screen): the primary one is
// monitor 1, the others follow by their left edge, then their top edge, the
// way they stand from left to right. Past kMaxMonitors, the monitor that
// would get the highest number is dropped.
void NumberMonitor(ScreenLayout* layout, const WPRect& monitor, bool primary);

// The rectangle x, y, w and h refer to for monitor number: positions count
// from its left and top edges, its width and height bound them. A number
// that names no monitor means the primary screen: from 0,0 to its right and
// bottom edges, as a command line without m has always been read.
WPRect ReferenceScreen(const ScreenLayout& layout, int number);

// The width or height of a screen from its near and far edges, and a point
// origin + offset on the virtual screen. Both are taken wide and held within
// 32 bits: no rectangle a platform reports and no number typed into the
// placement dialog may wrap them to the other side of the screen.
int ScreenExtent(int nearEdge, int farEdge);
int VirtualCoordinate(int origin, int offset);

}  // namespace lofter
