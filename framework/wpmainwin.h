// The main frame window: the program's top-level window and the message
// loop's idle hook. (Minimal for now: construction, the quit on destruction
// and OnIdle; the document, command and keyboard behaviour come next.)
#ifndef KIVORA_WPMAINWIN_H
#define KIVORA_WPMAINWIN_H

#include "wpwin.h"

class WPMainWin : public WPWin {
public:
    // Template: title = class name, WS_OVERLAPPEDWINDOW, menu "AppMenu",
    // class icon "AppIcon" or the system application icon. Not created here.
    explicit WPMainWin(const char* className);
    // Posts the quit message (code 0) unless keepRunning is set.
    ~WPMainWin() override;

    // First of the operations a main frame window adds: nonzero keeps the
    // loop's idle processing on. Default 0.
    virtual int OnIdle();

    char fileName[128] = {};
    WPOwnerDraw* ownerDraw = nullptr;
    int cursorStep = 1;
    int keepRunning = 0;
    const char* title = nullptr;
    const char* fileFilter = nullptr;
    int modified = 0;
    WPWin* status = nullptr;
};

#endif
