// Device contexts and graphics objects. A context wrapper lives on the stack
// for one piece of drawing; whatever was selected through it is put back and
// freed when it goes away, and every failed platform call is an assertion.
#ifndef KIVORA_WPGDI_H
#define KIVORA_WPGDI_H

#include <windows.h>

#include "wppager.h"
#include "wprect.h"

class WPWin;
class WPDC;
class WPDialog;
class WPPrintDlg;

// One graphics object; deletes it on destruction when owned.
class WPGdiObj {
public:
    WPGdiObj() = default;
    WPGdiObj(HGDIOBJ object, int isOwned) : hobj(object), owned(isOwned) {}
    ~WPGdiObj() { Destroy(); }

    // Deletes an owned object (assertion "res" when that fails); clears hobj.
    void Destroy();
    // Destroys the object held so far, then holds another.
    void Set(HGDIOBJ object, int isOwned);

    HGDIOBJ hobj = nullptr;
    int owned = 0;

private:
    WPGdiObj(const WPGdiObj&) = delete;
    WPGdiObj& operator=(const WPGdiObj&) = delete;
};

// A new bitmap compatible with a context, owned.
class WPBitmap : public WPGdiObj {
public:
    WPBitmap(WPDC* dc, int width, int height);
    HBITMAP Handle() const { return static_cast<HBITMAP>(hobj); }
};

// Slots of a context wrapper: one object of each kind at a time. Bitmaps and
// fonts have fixed slots; pens and brushes take the first two. Slots 4 and 5
// are free for any other object that SelectObject hands back its predecessor
// for (a second kind of pen or brush, say); regions do not.
enum WPGdiSlot { kPenSlot = 0, kBrushSlot = 1, kBitmapSlot = 2, kFontSlot = 3, kGdiSlots = 6 };

class WPDC {
public:
    virtual ~WPDC();

    // Selects an object into a slot; a handle below 32 is a stock object
    // number (never owned). Returns the object the selection replaced.
    HGDIOBJ Select(int slot, HGDIOBJ object, int isOwned);
    HGDIOBJ SelectStock(int slot, int stockNumber);
    HGDIOBJ SelectBitmap(WPBitmap& bitmap);
    // Puts back every object the wrapper replaced and frees the owned ones.
    void Restore();

    // Creates and selects (font slot, owned) a Shift-JIS font of the face;
    // height in twips (1/1440 inch), whatever the map mode.
    void SetFont(const char* faceName, int height);
    // Formats into 128 characters and writes with tab expansion.
    BOOL TextOutF(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));

    BOOL CopyFrom(const WPRect& rect, WPDC& source, int sourceX, int sourceY, DWORD rop);
    BOOL DrawBitmap(WPBitmap& bitmap, int x, int y, DWORD rop);
    BOOL DrawIcon(int x, int y, HICON icon);

    int GetMapMode() const { return ::GetMapMode(hdc); }
    int SetMapMode(int mode) { return ::SetMapMode(hdc, mode); }
    BOOL LogicalToDevice(WPPoint* points, int count);
    BOOL DeviceToLogical(WPPoint* points, int count);
    BOOL SetWindowOrigin(int x, int y) { return ::SetWindowOrgEx(hdc, x, y, nullptr); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(hdc, index); }

    HDC hdc = nullptr;
    WPGdiObj objs[kGdiSlots];
    HGDIOBJ orig[kGdiSlots] = {};
    int selected = 0;

protected:
    WPDC() = default;

private:
    WPDC(const WPDC&) = delete;
    WPDC& operator=(const WPDC&) = delete;
};

// The client area of a window (GetDC / ReleaseDC).
class WPWinDC : public WPDC {
public:
    explicit WPWinDC(WPWin* win);
    ~WPWinDC() override;
    HWND owner = nullptr;
};

// The whole window, frame included (GetWindowDC / ReleaseDC).
class WPWholeWinDC : public WPDC {
public:
    explicit WPWholeWinDC(WPWin* win);
    ~WPWholeWinDC() override;
    HWND owner = nullptr;
};

// A memory context like the reference (or the screen), with the reference's
// map mode; a given bitmap is selected but stays the caller's.
class WPMemDC : public WPDC {
public:
    explicit WPMemDC(WPDC* reference, WPBitmap* bitmap = nullptr);
    ~WPMemDC() override;
};

// An off-screen buffer for a rectangle of the reference context: a memory
// context holding a new bitmap of the rectangle's size, its window origin at
// the rectangle's top-left, so that drawing uses the reference's coordinates.
class WPBufferDC : public WPDC {
public:
    WPBufferDC(WPDC* reference, const WPRect& rect, int monochrome);
    ~WPBufferDC() override;
};

// The painting context of a WM_PAINT (BeginPaint / EndPaint).
class WPPaintDC : public WPDC {
public:
    explicit WPPaintDC(WPWin* win);
    ~WPPaintDC() override;
    PAINTSTRUCT paint = {};
    HWND owner = nullptr;
};

// The context of an owner-drawn item; the system owns it.
class WPItemDC : public WPDC {
public:
    explicit WPItemDC(const DRAWITEMSTRUCT* item);
    ~WPItemDC() override;
    WPRect rect;
    UINT itemId = 0;
    ULONG_PTR itemData = 0;
};

// A printer context, with the print job's abort dialog and line layout.
class WPPrinterDC : public WPDC {
public:
    // The named device, or the default printer of WIN.INI.
    explicit WPPrinterDC(const char* device = nullptr);
    // Ends the abort dialog, enables the owner again, restores and deletes.
    ~WPPrinterDC() override;

    // Opens the abort dialog ("DLGPRINTABORT") owned by owner, disables
    // owner and installs the abort procedure; lays out lines for the current
    // font. Returns the escape's result.
    int StartPrinting(WPWin* owner);
    // Writes one line; a text starting with a form feed starts a new page.
    // Returns the result of the last escape.
    virtual int PrintLine(const char* text, int length);
    // Ends the page (escape NEWFRAME).
    virtual int NewPage();

protected:
    // Wraps a context made elsewhere (deleteOnEnd: released here or not).
    WPPrinterDC(HDC existing, int deleteOnEnd);
    // Writes one line of text at the given height.
    virtual BOOL WriteLine(int y, const char* text, int length);

    HWND printOwner = nullptr;
    PrintPager pager;
    int deleteOnEnd = 1;
    int lastEscape = 0;
};

// The context the print dialog returned; the dialog deletes it.
class WPPrintDlgDC : public WPPrinterDC {
public:
    explicit WPPrintDlgDC(WPPrintDlg& dialog);
};

// Print abort state: the live abort dialog (or none) and the abort flag.
extern WPDialog* DlgAbort;
extern int printAborted;

// The abort procedure: pumps waiting messages (the abort dialog's through
// the dialog filter) until the queue is empty or the job was cancelled;
// nonzero while printing may go on.
BOOL CALLBACK WPAbortProc(HDC hdc, int error);

#endif
