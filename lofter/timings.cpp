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

void SaveTime(const char* path, int value) {
    char text[kivlibTextSize];
    FormatTime(text, value);
    kivlibKeys keys;
    if (!keys.setKey(path, text)) keys.createKey(path, text);
}

}  // namespace

void TimingSettings::loadTimes() {
    captureDelay = LoadTime(kCaptureDelayKey, captureDelay);
    returnInterval = LoadTime(kReturnIntervalKey, returnInterval);
}

void TimingSettings::saveTimes() const {
    SaveTime(kCaptureDelayKey, captureDelay);
    SaveTime(kReturnIntervalKey, returnInterval);
}
