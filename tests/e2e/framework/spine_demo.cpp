// A small program on the framework: a main window that runs the loop and
// quits. Its command line picks what it shows of the framework's start and
// end:
//   (empty)    the window closes itself after a second: exit code 0
//   quit N     the constructor posts the quit message with N: exit code N
//   leak       one tracked block is never freed: "1 objects remaining!"
//   assert     an assertion box; OK carries on to a normal end, Cancel ends
//              with -1 (the object report still runs)
//   stay       the window stays until it is closed
#include "wpapp.h"
#include "wpmainwin.h"
#include "wptext.h"

#include <string.h>

namespace {

char commandLine[256];
const UINT kCloseAfterMs = 1000;

bool Has(const char* word) { return strstr(commandLine, word) != nullptr; }

class DemoWindow : public WPMainWin {
public:
    DemoWindow() : WPMainWin("KivoraSpineDemo") {
        createTemplate.width = 320;
        createTemplate.height = 120;
        CreateTitled("Kivora spine demo");
        if (const char* quit = strstr(commandLine, "quit ")) {
            wpApp.PostQuit(ReadNumber(quit + 5));
            return;
        }
        if (Has("leak")) wpApp.LocalNew(32);
        // Long enough for a test on a busy machine to see the window first.
        if (!Has("stay")) SetTimer(1, kCloseAfterMs);
    }

    int OnTimer(UINT id) override {
        KillTimer(id);
        if (Has("assert")) WPAssert("demo", "spine_demo.cpp", 1);
        Destroy();
        return 1;
    }
};

}  // namespace

void WPApp::Start() {
    // A cut tail could name a different option than the one given: act on
    // none of it.
    if (CopyCmdLine(commandLine, sizeof commandLine) >= static_cast<int>(sizeof commandLine))
        commandLine[0] = '\0';
    mainWin = new DemoWindow;
    Run();
}
