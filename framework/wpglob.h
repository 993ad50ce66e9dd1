// Process-wide services: clipboard, cursor, caret and the default printer.
#ifndef KIVORA_WPGLOB_H
#define KIVORA_WPGLOB_H

#include <windows.h>

#include "wpplatform.h"
#include "wprect.h"

class WPWin;
class WPBitmap;

class WPClipboard {
public:
    BOOL Open(WPWin* win);
    BOOL Empty() { return ::EmptyClipboard(); }
    BOOL Close() { return ::CloseClipboard(); }
    // Copies the clipboard block of the format into buffer, at most size
    // bytes; returns the block's size, 0 when there is none.
    DWORD GetClip(UINT format, void* buffer, DWORD size);
    // Hands a new movable copy of data to the clipboard; returns 0.
    int SetClip(UINT format, const void* data, DWORD bytes);
};

class WPCursor {
public:
    BOOL GetPos(WPPoint& point);
    BOOL SetPos(const WPPoint& point) { return Platform().SetCursorPos(point.x, point.y); }
    int Show() { return Platform().ShowCursor(TRUE); }
    int Hide() { return Platform().ShowCursor(FALSE); }
    // Confines the cursor to the window's client area (screen coordinates);
    // assertion "win" without a window.
    BOOL ClipTo(WPWin* win);
    // Lets the cursor go anywhere again.
    BOOL Free() { return ::ClipCursor(nullptr); }
    // True for the four arrow keys (0x25-0x28).
    static bool IsArrowKey(int virtualKey);
};

extern WPClipboard theClipboard;
extern WPCursor theCursor;

// A caret of the bitmap's shape (none: a solid caret of the system's width)
// for the window.
BOOL MakeCaret(WPWin* win, WPBitmap* bitmap);

// The default printer's device name from WIN.INI ("device" in [windows],
// cut at its first comma) into buffer; returns its length.
int GetDefaultPrinter(char* buffer, int size);

// The default printer's device, driver and port (each room for 50 bytes).
// Returns false when WIN.INI names no printer.
bool ReadPrinterEntry(const char* device, char* deviceOut, char* driverOut, char* portOut);

#endif
