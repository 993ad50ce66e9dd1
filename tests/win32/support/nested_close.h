// A close that reaches a window inside a nested loop: what taskkill without
// /f, or the user, does while a box, a dialog or the shell's call runs.
#pragma once

#include <windows.h>

// Posts WM_CLOSE to window and dispatches what the thread's queue holds, as
// the nested loop would; a quit message ends it (and is consumed).
inline void CloseInNestedLoop(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT)
        DispatchMessageA(&message);
}
