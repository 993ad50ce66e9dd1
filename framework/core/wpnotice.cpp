#include "wpnotice.h"

#include "wptext.h"

WPNotice MakeNotice(const char* caption, const char* text, unsigned style, bool beepFirst,
                    bool ownedByMainWindow) {
    WPNotice notice = {};
    // A text longer than its buffer is cut at a whole character: the box
    // shows less rather than the buffer being overrun. The programs' own
    // texts are checked to fit where they are defined.
    CopyText(notice.caption, sizeof notice.caption, caption ? caption : "");
    CopyText(notice.text, sizeof notice.text, text ? text : "");
    notice.style = style;
    notice.beepFirst = beepFirst;
    notice.ownedByMainWindow = ownedByMainWindow;
    return notice;
}

bool WPNoticeList::Add(const WPNotice& notice) {
    if (count_ >= kCapacity) return false;
    notices_[count_++] = notice;
    return true;
}
