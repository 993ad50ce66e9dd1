// volley's start: reads the command line, builds the main window (which
// reads and shows the list and arms the run) and runs the message loop.
#include "batchwindow.h"
#include "shelllaunch.h"
#include "volleycommandline.h"
#include "wpapp.h"

namespace {

// Set once at start; the main window reads the file name from it.
VolleyCommandLine commandLine;

}  // namespace

void WPApp::Start() {
    ParseVolleyCommandLine(cmdLine, &commandLine);
    ConnectEntriesToPlatform();
    mainWin = new BatchWindow(commandLine.fileArg);
    if (HidesMainWindow(commandLine)) cmdShow = SW_HIDE;
    Run();
}
