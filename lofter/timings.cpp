#include "timings.h"

#include "kivlib.h"
#include "wpformat.h"
#include "wptext.h"

const char kCaptureDelayKey[] = ".Default\\Software\\Zorva\\Kivora\\DeleyTime";
const char kReturnIntervalKey[] = ".Default\\Software\\Zorva\\Kivora\\MoveTime";

namespace {

void FormatTime(char* text, int value) {
    FormatText(text, kivlibTextSize, "%d", value);
}

// The stored number, or value itself when the key is missing (the key is
// then created with it, so the next run finds it).
int LoadTime(const char* path, int value) {
    char text[kivlibTextSize];
    FormatTime(text, value);
    kivlibKeys keys;
    if (!keys.readKey(path, text)) keys.createKey(path, text);
    return ReadNumber(text);
}

// True when the key holds the value afterwards: written, or created with it
// (createKey reports success as 0).
bool SaveTime(const char* path, int value) {
    char text[kivlibTextSize];
    FormatTime(text, value);
    kivlibKeys keys;
    return keys.setKey(path, text) || keys.createKey(path, text) == 0;
}

}  // namespace

void TimingSettings::loadTimes() {
    captureDelay = LoadTime(kCaptureDelayKey, captureDelay);
    returnInterval = LoadTime(kReturnIntervalKey, returnInterval);
}

bool TimingSettings::saveTimes() const {
    // Both are tried even when the first fails.
    const bool delayStored = SaveTime(kCaptureDelayKey, captureDelay);
    const bool intervalStored = SaveTime(kReturnIntervalKey, returnInterval);
    return delayStored && intervalStored;
}
