// The period of a window's running timer, read from the timer itself rather
// than from the code's constant: the time between its WM_TIMER messages,
// which are taken off the queue without being handled. The shortest of
// several intervals is kept, since a busy machine can make a tick late but
// not early.
#pragma once

#include <windows.h>

// The shortest of intervals periods of timer id of window, in ms; 0 when no
// tick came for 15 s.
inline DWORD TimerPeriod(HWND window, UINT_PTR id, int intervals = 3) {
    const DWORD start = ::GetTickCount();
    DWORD last = 0, shortest = 0;
    for (int ticks = 0; ticks <= intervals && ::GetTickCount() - start < 15000;) {
        MSG message;
        if (!::PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_TIMER);
            continue;
        }
        if (message.wParam != id) continue;
        const DWORD now = ::GetTickCount();
        if (ticks++ > 0 && (shortest == 0 || now - last < shortest)) shortest = now - last;
        last = now;
    }
    return shortest;
}
