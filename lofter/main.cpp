// lofter's start: the command-line tail becomes the program-wide text, and
// the hidden main window does the rest while the loop runs.
#include "launcherwindow.h"
#include "wpapp.h"

void WPApp::Start() {
    // A tail the text cannot hold is refused whole (the usage box follows),
    // never acted on cut: the cut might name another program or file.
    if (CopyCmdLine(lofter::commandText, sizeof lofter::commandText) >=
        static_cast<int>(sizeof lofter::commandText))
        lofter::commandText[0] = '\0';
    cmdShow = SW_HIDE;
    mainWin = new lofter::LauncherWindow;
    Run();
}
