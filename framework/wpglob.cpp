#include "wpglob.h"

#include <string.h>

#include "wpdiag.h"
#include "wpgdi.h"
#include "wpkeycursor.h"
#include "wpprintername.h"
#include "wptext.h"
#include "wpwin.h"

WPClipboard theClipboard;
WPCursor theCursor;

BOOL WPClipboard::Open(WPWin* win) { return ::OpenClipboard(win ? win->hwnd : nullptr); }

DWORD WPClipboard::GetClip(UINT format, void* buffer, DWORD size) {
    HANDLE block = ::GetClipboardData(format);
    if (!block)
        return 0;
    DWORD blockSize = static_cast<DWORD>(::GlobalSize(block));
    const void* data = ::GlobalLock(block);
    if (!data)
        return 0;
    memcpy(buffer, data, blockSize < size ? blockSize : size);
    ::GlobalUnlock(block);
    return blockSize;
}

int WPClipboard::SetClip(UINT format, const void* data, DWORD bytes) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (!block)
        return 0;
    void* copy = ::GlobalLock(block);
    if (!copy) {
        // Nothing to copy into: the block is ours to free.
        ::GlobalFree(block);
        return 0;
    }
    memcpy(copy, data, bytes);
    ::GlobalUnlock(block);
    // The clipboard owns the block once it took it; otherwise it is ours.
    if (!::SetClipboardData(format, block))
        ::GlobalFree(block);
    return 0;
}

BOOL WPCursor::GetPos(WPPoint& point) {
    POINT at;
    BOOL ok = Platform().CursorPos(&at);
    point = WPPoint(at.x, at.y);
    return ok;
}

BOOL WPCursor::ClipTo(WPWin* win) {
    if (!WPCheck(win != nullptr, "win"))
        return FALSE;
    // A window object with no window has no client area: clipping to
    // whatever the rectangle held would trap the pointer somewhere.
    RECT client;
    if (!::GetClientRect(win->hwnd, &client))
        return FALSE;
    ::ClientToScreen(win->hwnd, reinterpret_cast<POINT*>(&client.left));
    ::ClientToScreen(win->hwnd, reinterpret_cast<POINT*>(&client.right));
    return ::ClipCursor(&client);
}

bool WPCursor::IsArrowKey(int virtualKey) { return ::IsArrowKey(virtualKey); }

BOOL MakeCaret(WPWin* win, WPBitmap* bitmap) {
    if (!WPCheck(win != nullptr, "win"))
        return FALSE;
    return ::CreateCaret(win->hwnd, bitmap ? bitmap->Handle() : nullptr, 0, 0);
}

int GetDefaultPrinter(char* buffer, int size) {
    char device[kPrinterBufferSize];
    ::GetProfileStringA("windows", "device", "", device, sizeof device);
    return CopyText(buffer, size, CutDeviceName(device));
}

bool ReadPrinterEntry(const char* device, char* deviceOut, char* driverOut, char* portOut) {
    // One 50-byte buffer: the device name, then its [devices] entry after it.
    char buffer[kPrinterBufferSize];
    if (device && device[0]) {
        CopyText(buffer, sizeof buffer, device);
    } else {
        ::GetProfileStringA("windows", "device", "", buffer, sizeof buffer);
        CutDeviceName(buffer);
    }
    if (!buffer[0])
        return false;
    int used = static_cast<int>(strlen(buffer)) + 1;
    char* entry = buffer + used;
    if (used < static_cast<int>(sizeof buffer))
        ::GetProfileStringA("devices", buffer, "", entry, sizeof buffer - used);
    else
        entry = buffer + sizeof buffer - 1;  // no room left: an empty entry
    const char* driver;
    const char* port;
    SplitDriverAndPort(entry, &driver, &port);
    CopyText(deviceOut, kPrinterBufferSize, buffer);
    CopyText(driverOut, kPrinterBufferSize, driver);
    CopyText(portOut, kPrinterBufferSize, port);
    return true;
}
