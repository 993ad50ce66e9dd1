#include "wpcharfilter.h"

#include "wptext.h"

bool CharFilter::Refuses(unsigned char typed, const char* allowed) {
    if (trailExpected_) {
        trailExpected_ = false;
        return false;
    }
    if (IsLeadByte(typed)) {
        trailExpected_ = true;
        return false;
    }
    // Half-width katakana are single-byte letters like any other.
    bool printable = (typed >= 0x20 && typed <= 0x7E) || (typed >= 0xA1 && typed <= 0xDF);
    if (allowed == nullptr || !printable)
        return false;
    const char one[2] = {static_cast<char>(typed), '\0'};
    return FindChar(allowed, one) == nullptr;
}
