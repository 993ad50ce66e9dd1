// aubade's action at the set time.
#include "aubadewindow.h"

#include "wpshellopen.h"

namespace aubade {

void TimedWindow::Fire() {
    // Omitted fields are empty texts; a space placeholder stays one space.
    // A failed launch goes on exactly as a successful one.
    OpenThroughShell(program, parameters, directory, SW_SHOWNORMAL);
    if (quitAfterFire) EndAfterFiring();
}

}  // namespace aubade
