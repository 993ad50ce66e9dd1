// c=NEW: telling the started program's window from the windows that were
// there before it.
#pragma once

#include <stdint.h>

namespace lofter {

// A window handle as a number, so that the choice builds without windows.h.
using WindowId = uintptr_t;

constexpr int kWindowListCapacity = 1024;

// Top-level windows, in the order they were added (z-order, top first).
class WindowList {
public:
    // Past the capacity the window is not kept and the list is incomplete.
    void Add(WindowId window);
    bool Holds(WindowId window) const;
    bool Complete() const { return complete_; }

    int Count() const { return count_; }
    WindowId At(int index) const { return windows_[index]; }

private:
    WindowId windows_[kWindowListCapacity];
    int count_ = 0;
    bool complete_ = true;
};

// The window a capture with c=NEW takes, given the note taken before the
// start and the windows that may be captured now (shown, in z-order, top
// first): the foreground window when it is new, else the new window highest
// in the z-order; 0 while there is none. A window that was new and has gone
// is no longer among those shown and so is never chosen.
WindowId ChooseNewWindow(const WindowList& note, WindowId foreground, const WindowList& shown);

}  // namespace lofter
