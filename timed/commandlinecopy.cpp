#include "commandlinecopy.h"

#include "wpapp.h"

namespace timed {

CommandLineCopy commandLine;

void CopyCommandLine() {
    int tailLength = wpApp.CopyCmdLine(commandLine.text, sizeof commandLine.text);
    commandLine.cut = tailLength >= static_cast<int>(sizeof commandLine.text);
}

}  // namespace timed
