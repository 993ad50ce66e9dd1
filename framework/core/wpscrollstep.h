// Where a scroll bar goes for one scroll request.
#ifndef KIVORA_WPSCROLLSTEP_H
#define KIVORA_WPSCROLLSTEP_H

// Scroll request codes as the system sends them.
enum ScrollCode {
    kScrollLineUp = 0, kScrollLineDown = 1, kScrollPageUp = 2, kScrollPageDown = 3,
    kScrollThumbPosition = 4, kScrollThumbTrack = 5
};

// The new position: line and page steps from current, the given position
// for thumb moves, current for anything else. The bar clamps it to its range.
int ScrollTarget(int code, int current, int position, int line, int page);

#endif
