// A message box as data, so that window-free code (the programs' parsers)
// can ask for one and the window code shows it (ShowNotices).
#ifndef KIVORA_WPNOTICE_H
#define KIVORA_WPNOTICE_H

// A message box that window-free code asks the window code to show; a list
// of them is shown in order.
struct WPNotice {
    char caption[32];
    char text[1024];
    unsigned style;           // MB_* bits; 0 is MB_OK
    bool beepFirst;           // MessageBeep(0) before the box
    bool ownedByMainWindow;   // false: the box has no owner window
};

// Builds a notice; the texts are cut safely (CopyText) to the buffers, and a
// null text counts as empty.
WPNotice MakeNotice(const char* caption, const char* text, unsigned style,
                    bool beepFirst = false, bool ownedByMainWindow = false);

// The notices one parse asks for, in order. A parse stops at the notice that
// ends it, so a few places are plenty; a notice beyond them is refused, never
// written past the end.
class WPNoticeList {
public:
    static constexpr int kCapacity = 4;

    // False, and the list unchanged, when it is full.
    bool Add(const WPNotice& notice);
    int Count() const { return count_; }
    const WPNotice& At(int position) const { return notices_[position]; }
    const WPNotice* Items() const { return notices_; }

private:
    WPNotice notices_[kCapacity];
    int count_ = 0;
};

#endif
