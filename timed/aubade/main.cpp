// aubade: the timed launcher. Its start function.
#include "aubadewindow.h"
#include "commandlinecopy.h"
#include "wpapp.h"

void WPApp::Start() {
    timed::CopyCommandLine();
    mainWin = new aubade::TimedWindow;
    cmdShow = SW_HIDE;
    Run();
}
