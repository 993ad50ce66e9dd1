// A tray program on the framework: it shows icon 1 in the tray and stays
// until its window is closed. Its command line:
//   (empty)  the icon stays shown
//   hide     the icon is hidden again at once, as the programs' hide
//            command does
#include "wpapp.h"
#include "wptraywin.h"

#include <string.h>

namespace {

const UINT kIconId = 1;
char commandLine[64];

class TrayDemoWindow : public WPTrayWin {
public:
    TrayDemoWindow() {
        CreateTitled("Kivora tray demo");
        AddTrayIcon(kIconId, wpApp.LoadIcon(reinterpret_cast<const char*>(IDI_APPLICATION)),
                    "Kivora tray demo");
        if (strstr(commandLine, "hide")) DeleteTrayIcon(kIconId);
    }
    ~TrayDemoWindow() override { DeleteTrayIcon(kIconId); }
};

}  // namespace

void WPApp::Start() {
    if (CopyCmdLine(commandLine, sizeof commandLine) >= static_cast<int>(sizeof commandLine))
        commandLine[0] = '\0';
    mainWin = new TrayDemoWindow;
    cmdShow = SW_HIDE;
    Run();
}
