#include "volleyentry.h"

#include "wpformat.h"
#include "wptext.h"

#include <string.h>

int (*LaunchEntry::performLaunch)(const LaunchEntry& entry) = nullptr;
uint32_t (*SleepEntry::tickCount)() = nullptr;
void (*SleepEntry::pause)(uint32_t milliseconds) = nullptr;

namespace {

// Win32 show commands.
const int32_t kShowNormal = 1;
const int32_t kShowMinimized = 6;
const int32_t kShowMaximized = 3;
const int32_t kHide = 0;

// Appends source to the text in dest, cut to whole characters (see CopyText).
void AppendText(char* dest, int destSize, const char* source) {
    int used = static_cast<int>(strlen(dest));
    CopyText(dest + used, destSize - used, source);
}

}  // namespace

int32_t ShowCommandFor(int showCode) {
    switch (showCode) {
    case 1: return kShowMinimized;
    case 2: return kShowMaximized;
    case 3: return kHide;
    default: return kShowNormal;
    }
}

LaunchEntry::LaunchEntry(const char* fileText, const char* paramsText, const char* dirText, int showCode)
    : show(ShowCommandFor(showCode)) {
    CopyText(file, kFieldSize, fileText);
    CopyText(params, kFieldSize, paramsText);
    CopyText(dir, kFieldSize, dirText);
    // No parameters, or one blank (which stands for none so that a directory
    // can follow), shows the file alone; otherwise "file-params". That is never
    // longer than the line it came from; the label of a longer text handed in
    // directly is cut (it is only shown).
    CopyText(label, kLabelSize, file);
    if (params[0] != '\0' && strcmp(params, " ") != 0) {
        AppendText(label, kLabelSize, "-");
        AppendText(label, kLabelSize, params);
    }
}

int LaunchEntry::Execute() {
    return performLaunch ? performLaunch(*this) : 0;
}

SleepEntry::SleepEntry(int32_t milliseconds) : ms(milliseconds) {
    FormatText(label, kLabelSize, "Sleep %d ms", static_cast<int>(ms));
}

int SleepEntry::Execute() {
    if (!tickCount) return 1;
    const uint32_t start = tickCount();
    for (;;) {
        // Unsigned difference: a wrap of the counter in between does no harm.
        // Compared as signed, so a wait of 0 or less ends at the first reading.
        const uint32_t elapsed = tickCount() - start;
        if (ms <= static_cast<int32_t>(elapsed)) return 1;
        if (!pause) continue;
        // Sleep until the end is due instead of spinning a core for the whole
        // wait; the next reading decides, so a pause that ends early costs only
        // another round. ms is above elapsed as signed numbers, so the unsigned
        // difference is the true remainder (1 to 2^32 - 1).
        const uint32_t remaining = static_cast<uint32_t>(ms) - elapsed;
        pause(remaining < kLongestPause ? remaining : kLongestPause);
    }
}
