// nocturne: the timed closer. Its start function.
#include "commandlinecopy.h"
#include "nocturnewindow.h"
#include "wpapp.h"

void WPApp::Start() {
    timed::CopyCommandLine();
    mainWin = new nocturne::TimedWindow;
    cmdShow = SW_HIDE;
    Run();
}
