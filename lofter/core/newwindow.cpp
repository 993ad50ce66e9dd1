#include "newwindow.h"

namespace lofter {

void WindowList::Add(WindowId window) {
    if (count_ == kWindowListCapacity) {
        complete_ = false;
        return;
    }
    windows_[count_++] = window;
}

bool WindowList::Holds(WindowId window) const {
    for (int i = 0; i < count_; ++i)
        if (windows_[i] == window) return true;
    return false;
}

WindowId ChooseNewWindow(const WindowList& note, WindowId foreground, const WindowList& shown) {
    if (shown.Holds(foreground) && !note.Holds(foreground)) return foreground;
    for (int i = 0; i < shown.Count(); ++i)
        if (!note.Holds(shown.At(i))) return shown.At(i);
    return 0;
}

}  // namespace lofter
