// The message loop.
#include "wpapp.h"

#include "wpdlg.h"
#include "wpmainwin.h"

bool WPApp::Filtered(MSG& message, HWND mainHwnd) {
    if (mdiClient && TranslateMDISysAccel(mdiClient, &message)) return true;
    for (WPDialog* dialog = modeless; dialog; dialog = dialog->nextModeless) {
        if (dialog->hwnd && IsWindow(dialog->hwnd) && IsDialogMessageA(dialog->hwnd, &message))
            return true;
    }
    return accel && TranslateAcceleratorA(mainHwnd, accel, &message);
}

void WPApp::Run() {
    // Without a main window there is nothing to show or to ask for idle
    // work: after OK the loop is not entered.
    if (!WPCheck(mainWin != nullptr, "mainWin")) return;
    // A main window closed during its construction goes now; its destructor
    // clears mainWin and posts the quit that the loop below takes.
    if (mainWin->ConstructionDone()) {
        mainWin->Show(cmdShow);
        mainWin->Update();
    }
    const HWND mainHwnd = mainWin ? mainWin->hwnd : nullptr;

    bool idle = true;
    MSG message = {};
    for (;;) {
        if (idle) {
            if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                // Once the hook says 0 the loop waits for good. A main window
                // already gone has no more idle work.
                idle = mainWin && mainWin->OnIdle() != 0;
                continue;
            }
            if (message.message == WM_QUIT) break;
        } else {
            BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got == 0) break;
            if (got == -1) {
                // Only a bad filter window fails; ours has none. Stop rather
                // than spin.
                message.wParam = static_cast<WPARAM>(-1);
                break;
            }
        }
        if (Filtered(message, mainHwnd)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    exitCode = static_cast<int>(message.wParam);
}
