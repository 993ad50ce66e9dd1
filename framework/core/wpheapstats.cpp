#include "wpheapstats.h"

#include "wpformat.h"
#include "wptext.h"

#include <stdarg.h>
#include <string.h>

namespace {

// Appends formatted text to a bounded buffer; once full, later lines are cut.
class Appender {
public:
    Appender(char* buffer, int size) : buffer_(buffer), size_(size) {
        if (size_ > 0) buffer_[0] = '\0';
    }

    __attribute__((format(printf, 2, 3))) void Add(const char* format, ...) {
        int used = static_cast<int>(strlen(buffer_));
        if (used >= size_ - 1) return;
        va_list args;
        va_start(args, format);
        FormatTextV(buffer_ + used, size_ - used, format, args);
        va_end(args);
    }

private:
    char* buffer_;
    int size_;
};

}  // namespace

const char kOutOfMemoryText[] =
    "The system has run out of memory.  You may be able to reclaim some memory by closing "
    "other applications; if so, close them now and then press 'Retry'; otherwise, press "
    "'Cancel' to terminate this application";

char* FormatHeapReport(char* buffer, int size, int32_t bigCount, int32_t bigBytes,
                       const WPHeapStats& local, const WPSubHeap* subHeaps) {
    Appender text(buffer, size);
    if (size <= 0) return buffer;
    text.Add("BIG OBJECTS:\t%d obj\t%ld bytes\n", static_cast<int>(bigCount),
             static_cast<long>(bigBytes));
    text.Add("LOCAL HEAP:\t%ld obj\t%ld bytes\n", static_cast<long>(local.count),
             static_cast<long>(local.bytes));
    int heaps = 0;
    long objects = local.count;
    long bytes = local.bytes;
    for (const WPSubHeap* h = subHeaps; h; h = h->next) {
        ++heaps;
        if (heaps <= 10)
            text.Add("HEAP [%x]:\t%d obj\t%ld bytes\n", static_cast<unsigned>(h->id),
                     static_cast<int>(h->count), static_cast<long>(h->bytes));
        else if (heaps == 11)
            text.Add(". . .");
        objects += h->count;
        bytes += h->bytes;
    }
    if (heaps > 0) text.Add("\nTotals: %d heaps, %ld objects, %ld bytes.", heaps, objects, bytes);
    return buffer;
}

void FormatAssertText(char* buffer, const char* expression, const char* file, unsigned line) {
    // Formatted in full first, then cut by whole characters to 79.
    char full[512];
    FormatText(full, sizeof full, "at line %u in file %s: \"%s\"", line, file ? file : "",
               expression ? expression : "");
    CopyText(buffer, kAssertTextSize, full);
}
