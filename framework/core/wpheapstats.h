// Counters of the tracked heaps and the texts made from them. Window-free:
// the blocks themselves are obtained in the framework library (wpheap32.cpp).
#ifndef KIVORA_WPHEAPSTATS_H
#define KIVORA_WPHEAPSTATS_H

#include <stdint.h>

struct WPHeapStats {
    int32_t bytes = 0;
    int32_t count = 0;
    uint16_t id = 0;  // 0 for the local heap
};

// One extra heap; kept in a list, newest first.
struct WPSubHeap {
    WPSubHeap* next = nullptr;
    int32_t bytes = 0;
    int32_t count = 0;
    uint16_t id = 0;
    void* memory = nullptr;  // the movable block's handle
    void* base = nullptr;    // the block, locked while the sub-heap exists
};

// The heap report text: big objects, local heap, up to ten sub-heap lines,
// ". . ." once for the eleventh and beyond, and the totals line when there
// is at least one sub-heap. Written into buffer, cut to size; returns buffer.
char* FormatHeapReport(char* buffer, int size, int32_t bigCount, int32_t bigBytes,
                       const WPHeapStats& local, const WPSubHeap* subHeaps);

// The assertion message: at line LINE in file FILE: "EXPRESSION", cut to 79
// characters (buffer of kAssertTextSize bytes).
constexpr int kAssertTextSize = 80;
void FormatAssertText(char* buffer, const char* expression, const char* file, unsigned line);

// The error box text holds at most 127 characters.
constexpr int kErrorTextSize = 128;

extern const char kOutOfMemoryText[];

#endif
