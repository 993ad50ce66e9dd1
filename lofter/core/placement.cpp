#include "placement.h"

#include "screens.h"

namespace lofter {

PlacementCall ChoosePlacement(const LaunchSettings& settings, bool moveWanted, bool sizeWanted) {
    const bool topMost = settings.topMost != 0;
    PlacementCall call;
    call.insertAfter = topMost ? kInsertTopMost : kInsertNotTopMost;
    call.leavesNothingToUndo = !topMost;
    call.flags = (moveWanted ? 0 : kNoMove) | (sizeWanted ? 0 : kNoSize);
    call.movesOrSizes = moveWanted || sizeWanted;
    // A size without a move goes to 0,0, which SWP_NOMOVE makes the system ignore.
    const bool originOnly = sizeWanted && !moveWanted;
    call.x = originOnly ? 0 : settings.x;
    call.y = originOnly ? 0 : settings.y;
    if (moveWanted) {
        call.x = VirtualCoordinate(settings.origin.x, settings.x);
        call.y = VirtualCoordinate(settings.origin.y, settings.y);
    }
    call.cx = sizeWanted ? settings.w : 0;
    call.cy = sizeWanted ? settings.h : 0;
    return call;
}

bool PlacementEndsRun(const LaunchSettings& settings) {
    return settings.nothingToUndo == 1 && settings.stayResident == 0 && settings.autoReturn != 1;
}

}  // namespace lofter
