#include "screens.h"

#include <limits.h>

namespace lofter {

namespace {

int HeldIn32Bits(long long value) {
    if (value > INT_MAX) return INT_MAX;
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// True when a stands before b among the monitors after the primary one.
bool ComesBefore(const WPRect& a, const WPRect& b) {
    return a.left != b.left ? a.left < b.left : a.top < b.top;
}

}  // namespace

void NumberMonitor(ScreenLayout* layout, const WPRect& monitor, bool primary) {
    // A second monitor reported as primary is numbered as any other.
    const bool first = primary && !layout->hasPrimary;
    int at = layout->hasPrimary ? 1 : 0;
    if (first) {
        at = 0;
    } else {
        while (at < layout->monitorCount && !ComesBefore(monitor, layout->monitors[at])) ++at;
    }
    if (at == kMaxMonitors) return;
    const int last = layout->monitorCount < kMaxMonitors ? layout->monitorCount : kMaxMonitors - 1;
    for (int i = last; i > at; --i) layout->monitors[i] = layout->monitors[i - 1];
    layout->monitors[at] = monitor;
    if (layout->monitorCount < kMaxMonitors) ++layout->monitorCount;
    if (first) layout->hasPrimary = true;
}

WPRect ReferenceScreen(const ScreenLayout& layout, int number) {
    if (number < 1 || number > layout.monitorCount)
        return WPRect(0, 0, layout.primary.right, layout.primary.bottom);
    return layout.monitors[number - 1];
}

int ScreenExtent(int nearEdge, int farEdge) {
    return HeldIn32Bits(static_cast<long long>(farEdge) - nearEdge);
}

int VirtualCoordinate(int origin, int offset) {
    return HeldIn32Bits(static_cast<long long>(origin) + offset);
}

}  // namespace lofter
