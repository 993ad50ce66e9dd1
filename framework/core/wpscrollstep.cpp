#include "wpscrollstep.h"

int ScrollTarget(int code, int current, int position, int line, int page) {
    switch (code) {
    case kScrollLineUp: return current - line;
    case kScrollLineDown: return current + line;
    case kScrollPageUp: return current - page;
    case kScrollPageDown: return current + page;
    case kScrollThumbPosition:
    case kScrollThumbTrack: return position;
    default: return current;
    }
}
