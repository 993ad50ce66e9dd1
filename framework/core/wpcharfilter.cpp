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
    if (allowed == nullptr || typed < 0x20 || typed > 0x7E)
        return false;
    const char one[2] = {static_cast<char>(typed), '\0'};
    return FindChar(allowed, one) == nullptr;
}
