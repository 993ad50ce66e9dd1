// The keyboard stand-in for the mouse: arrow keys move the cursor inside a
// window's client area, faster while a key is held down.
#ifndef KIVORA_WPKEYCURSOR_H
#define KIVORA_WPKEYCURSOR_H

// True for the four arrow keys (virtual keys 0x25 left to 0x28 down).
bool IsArrowKey(int virtualKey);

// Moves (x, y) by step in the direction of an arrow key and keeps it
// inside [left, right - 1] x [top, bottom - 1]. Returns false (and changes
// nothing) for any other key.
bool MoveByArrowKey(int virtualKey, int step, int* x, int* y,
                    int left, int top, int right, int bottom);

// Adds a key-down's repeat count to the cursor step, held at a sane limit.
int AccelerateStep(int step, int repeatCount);

#endif
