// Drives parseCommandLine with any text the program-wide buffer can hold,
// on an ordinary screen, on degenerate ones and on monitors around the
// primary one (left, right, above: negative coordinates) for m=N.
#include "commandline.h"
#include "launchchecks.h"
#include "wptext.h"

#include <limits.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>

namespace {

const WPRect kScreens[] = {
    {0, 0, 1024, 768},
    {0, 0, 0, 0},
    {0, 0, INT_MAX, INT_MIN},
};

// Each screen above as the primary one, with monitors reported around it:
// the numbering and every rectangle's arithmetic are exercised.
lofter::ScreenLayout Layout(const WPRect& primary) {
    lofter::ScreenLayout screens(primary);
    lofter::NumberMonitor(&screens, WPRect(1024, -200, 2944, 880), false);
    lofter::NumberMonitor(&screens, primary, true);
    lofter::NumberMonitor(&screens, WPRect(-1280, 0, 0, 1024), false);
    lofter::NumberMonitor(&screens, WPRect(0, -768, 1024, 0), false);
    lofter::NumberMonitor(&screens, WPRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), false);
    return screens;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The tail in the 1024-byte text (a longer one is cut here; the start
    // function refuses it). The text ends at the first NUL byte, as a
    // command-line tail would.
    const std::string input(reinterpret_cast<const char*>(data), size);
    char* text = new char[kCommandTextSize];
    CopyText(text, kCommandTextSize, input.c_str());
    char* before = new char[kCommandTextSize];
    memcpy(before, text, kCommandTextSize);

    for (const WPRect& screen : kScreens) {
        const lofter::ScreenLayout screens = Layout(screen);
        // Exact-size heap records: a write past the last field is caught.
        LaunchSettings* settings = new LaunchSettings;
        LaunchTarget* target = new LaunchTarget;
        parseCommandLine(text, screens, settings, target);
        CheckParsed(text, *settings, *target, screens);

        LaunchSettings* again = new LaunchSettings;
        LaunchTarget* againTarget = new LaunchTarget;
        parseCommandLine(text, screens, again, againTarget);
        Require(memcmp(settings, again, sizeof *again) == 0 &&
                    memcmp(target, againTarget, sizeof *againTarget) == 0,
                "parsing is deterministic");
        delete again;
        delete againTarget;
        delete settings;
        delete target;
    }
    Require(memcmp(before, text, kCommandTextSize) == 0, "the command-line text is left alone");
    delete[] before;
    delete[] text;
    return 0;
}
