#include "wpkeycursor.h"

namespace {
const int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

// Clamps into [low, high - 1]; an empty range keeps low. Takes the widened
// value, so the result always fits an int.
int Clamp(long long value, int low, int high) {
    if (value > static_cast<long long>(high) - 1)
        value = static_cast<long long>(high) - 1;
    if (value < low)
        value = low;
    return static_cast<int>(value);
}
}  // namespace

bool IsArrowKey(int virtualKey) { return virtualKey >= kLeft && virtualKey <= kDown; }

bool MoveByArrowKey(int virtualKey, int step, int* x, int* y,
                    int left, int top, int right, int bottom) {
    if (!IsArrowKey(virtualKey))
        return false;
    // Widen before moving: a large step near the edge must not wrap around.
    long long nx = *x, ny = *y;
    switch (virtualKey) {
    case kLeft: nx -= step; break;
    case kRight: nx += step; break;
    case kUp: ny -= step; break;
    case kDown: ny += step; break;
    }
    *x = Clamp(nx, left, right);
    *y = Clamp(ny, top, bottom);
    return true;
}

int AccelerateStep(int step, int repeatCount) {
    // A key held long enough would otherwise overflow the step; no screen
    // is this wide, so the cursor still reaches every edge.
    const int limit = 0x10000;
    long long next = static_cast<long long>(step) + repeatCount;
    if (next > limit)
        next = limit;
    if (next < 1)
        next = 1;
    return static_cast<int>(next);
}
