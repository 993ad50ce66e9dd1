// Where and how one placement moves the target window: the single
// SetWindowPos call that applies LaunchSettings, chosen from eight cases.
#pragma once

#include "launchsettings.h"

namespace lofter {

// The insert-after handles SetWindowPos takes for the two z-orders
// (HWND_TOPMOST, HWND_NOTOPMOST), as numbers so that this builds natively.
constexpr int kInsertTopMost = -1;
constexpr int kInsertNotTopMost = -2;

// SetWindowPos flags.
constexpr unsigned kNoSize = 0x1;  // SWP_NOSIZE
constexpr unsigned kNoMove = 0x2;  // SWP_NOMOVE

struct PlacementCall {
    int insertAfter;
    int x, y, cx, cy;  // x and y on the virtual screen
    unsigned flags;
    // A window left not top-most has nothing for the end of the run to undo.
    bool leavesNothingToUndo;
    // The call moves or sizes the window, not only sets its z-order: a
    // maximized or minimized window is restored first, or it would keep its
    // state (Windows) or its old size (Wine) under the new rectangle.
    bool movesOrSizes;
};

// The call for the current settings; moveWanted and sizeWanted were decided
// at launch. A position counts from settings.origin.
PlacementCall ChoosePlacement(const LaunchSettings& settings, bool moveWanted, bool sizeWanted);

// After a placement the run ends unless something keeps lofter in the tray:
// a top-most state to undo, a resident option or auto return.
bool PlacementEndsRun(const LaunchSettings& settings);

}  // namespace lofter
