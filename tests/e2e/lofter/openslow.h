// What the end-to-end tests know of openslow.exe, the program that is slow
// to show its window (see openslow.cpp).
#pragma once

namespace openslow {

const char kMainClass[] = "OpenSlowMain";
const char kToolClass[] = "OpenSlowTool";
// The hidden windows; closing one ends openslow too.
const char kHiddenClass[] = "OpenSlowHidden";

// Where the main window opens, so that an unplaced one is told apart.
const int kMainX = 300, kMainY = 300, kMainW = 320, kMainH = 240;

}  // namespace openslow
