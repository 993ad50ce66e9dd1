#include "timedoptions.h"

#include "wptext.h"

int ParseOptions(const char* text, OptionFlags flags) {
    const char* p = text;
    while (IsSpace(*p)) ++p;
    if (*p == '\0') return 1;
    if (*p != '-') return 0;
    bool knownLetter = false;
    // Double-byte characters are stepped over whole: a trail byte may look
    // like h or c.
    for (; *p != '\0'; p += CharLength(p)) {
        if (*p == 'h') {
            *flags.noIcon = 1;
            knownLetter = true;
        } else if (*p == 'c' && flags.quitAfterFire != nullptr) {
            *flags.quitAfterFire = 0;
            knownLetter = true;
        } else if (*p == 'g' && flags.politeClose != nullptr) {
            *flags.politeClose = 1;
            knownLetter = true;
        }
    }
    return knownLetter ? 1 : 0;
}
