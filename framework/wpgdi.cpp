#include "wpgdi.h"

#include <iterator>
#include <stdarg.h>

#include "wpdiag.h"
#include "wpformat.h"
#include "wptext.h"
#include "wpwin.h"

// ---- Objects --------------------------------------------------------------

void WPGdiObj::Destroy() {
    if (hobj && owned)
        WPCheck(::DeleteObject(hobj) != 0, "res");
    hobj = nullptr;
    owned = 0;
}

void WPGdiObj::Set(HGDIOBJ object, int isOwned) {
    Destroy();
    hobj = object;
    owned = isOwned;
}

WPBitmap::WPBitmap(WPDC* dc, int width, int height) {
    if (!WPCheck(dc != nullptr && dc->hdc != nullptr, "dc"))
        return;
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc->hdc, width, height);
    WPCheck(bitmap != nullptr, "hobj");
    Set(bitmap, 1);
}

// ---- Selection ------------------------------------------------------------

WPDC::~WPDC() { Restore(); }

HGDIOBJ WPDC::Select(int slot, HGDIOBJ object, int isOwned) {
    // A slot number out of range would write past the slot arrays.
    if (!WPCheck(slot >= 0 && slot < kGdiSlots, "slot"))
        return nullptr;
    if (reinterpret_cast<UINT_PTR>(object) < 32) {
        object = ::GetStockObject(static_cast<int>(reinterpret_cast<UINT_PTR>(object)));
        isOwned = 0;
    }
    if (!WPCheck(object != nullptr, "h"))
        return nullptr;
    HGDIOBJ old = ::SelectObject(hdc, object);
    if (!WPCheck(old != nullptr, "old")) {
        // Not selected: the slot's object is still in the context and must
        // not be freed; an object handed over to be owned is freed here.
        if (isOwned)
            ::DeleteObject(object);
        return nullptr;
    }
    WPGdiObj& held = objs[slot];
    WPCheck(held.hobj == nullptr || held.hobj == old, "obj.hobj==NULL || obj.hobj==old");
    held.Set(object, isOwned);
    if (!orig[slot])
        orig[slot] = old;
    selected = 1;
    return old;
}

HGDIOBJ WPDC::SelectStock(int slot, int stockNumber) {
    // Numbers from 32 on would be taken for handles.
    if (!WPCheck(stockNumber >= 0 && stockNumber < 32, "stock<32"))
        return nullptr;
    return Select(slot, reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(stockNumber)), 0);
}

HGDIOBJ WPDC::SelectBitmap(WPBitmap& bitmap) { return Select(kBitmapSlot, bitmap.hobj, 0); }

void WPDC::Restore() {
    if (!selected)
        return;
    if (!WPCheck(hdc != nullptr, "hdc"))
        return;
    for (int slot = 0; slot < kGdiSlots; ++slot) {
        if (!orig[slot])
            continue;
        ::SelectObject(hdc, orig[slot]);
        orig[slot] = nullptr;
        objs[slot].Destroy();
    }
    selected = 0;
}

// ---- Text and pictures ----------------------------------------------------

void WPDC::SetFont(const char* faceName, int height) {
    LOGFONTA font = {};
    font.lfCharSet = SHIFTJIS_CHARSET;
    CopyText(font.lfFaceName, LF_FACESIZE, faceName ? faceName : "");
    // The height is in twips. A font is realised under the map mode of its
    // first use, not of its selection, so the height is carried through
    // MM_TWIPS into the context's own units here.
    POINT span[2] = {{0, 0}, {0, height}};
    int mode = ::SetMapMode(hdc, MM_TWIPS);
    ::LPtoDP(hdc, span, static_cast<int>(std::size(span)));
    ::SetMapMode(hdc, mode);
    ::DPtoLP(hdc, span, static_cast<int>(std::size(span)));
    int units = span[1].y - span[0].y;
    if (units < 0) units = -units;
    // A positive height asks for the character height, as -height did.
    font.lfHeight = height >= 0 ? -units : units;
    Select(kFontSlot, ::CreateFontIndirectA(&font), 1);
}

BOOL WPDC::TextOutF(int x, int y, const char* format, ...) {
    char text[128];
    va_list args;
    va_start(args, format);
    int result = FormatTextV(text, sizeof text, format, args);
    va_end(args);
    if (result < 0)
        return FALSE;
    // A longer text is cut to the buffer, never leaving half a character.
    int length = DropHalfCharacterAtEnd(text);
    return ::TabbedTextOutA(hdc, x, y, text, length, 0, nullptr, 0) != 0;
}

BOOL WPDC::CopyFrom(const WPRect& rect, WPDC& source, int sourceX, int sourceY, DWORD rop) {
    return ::BitBlt(hdc, rect.left, rect.top, rect.Width(), rect.Height(), source.hdc, sourceX,
                    sourceY, rop);
}

BOOL WPDC::DrawBitmap(WPBitmap& bitmap, int x, int y, DWORD rop) {
    BITMAP info = {};
    if (!::GetObjectA(bitmap.hobj, sizeof info, &info))
        return FALSE;
    // A size, not a point: converting the far corner alone would add the
    // window origin. The sign stays, so a mode whose y grows upwards still
    // copies the bitmap the right way round.
    WPPoint corners[2] = {WPPoint(0, 0), WPPoint(info.bmWidth, info.bmHeight)};
    DeviceToLogical(corners, static_cast<int>(std::size(corners)));
    WPMemDC memory(this, &bitmap);
    return ::BitBlt(hdc, x, y, corners[1].x - corners[0].x, corners[1].y - corners[0].y,
                    memory.hdc, 0, 0, rop);
}

BOOL WPDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(hdc, x, y, icon); }

BOOL WPDC::LogicalToDevice(WPPoint* points, int count) {
    static_assert(sizeof(WPPoint) == sizeof(POINT), "WPPoint is laid out as POINT");
    return ::LPtoDP(hdc, reinterpret_cast<POINT*>(points), count);
}

BOOL WPDC::DeviceToLogical(WPPoint* points, int count) {
    return ::DPtoLP(hdc, reinterpret_cast<POINT*>(points), count);
}

// ---- Kinds of context -----------------------------------------------------

WPWinDC::WPWinDC(WPWin* win) {
    if (!WPCheck(win != nullptr, "w"))
        return;
    owner = win->hwnd;
    hdc = ::GetDC(owner);
    WPCheck(hdc != nullptr, "hdc");
}

WPWinDC::~WPWinDC() {
    Restore();
    if (hdc)
        WPCheck(::ReleaseDC(owner, hdc) != 0, "ret");
    hdc = nullptr;
}

WPWholeWinDC::WPWholeWinDC(WPWin* win) {
    if (!WPCheck(win != nullptr, "w"))
        return;
    owner = win->hwnd;
    hdc = ::GetWindowDC(owner);
    WPCheck(hdc != nullptr, "hdc");
}

WPWholeWinDC::~WPWholeWinDC() {
    Restore();
    if (hdc)
        ::ReleaseDC(owner, hdc);
    hdc = nullptr;
}

WPMemDC::WPMemDC(WPDC* reference, WPBitmap* bitmap) {
    hdc = ::CreateCompatibleDC(reference ? reference->hdc : nullptr);
    if (!WPCheck(hdc != nullptr, "hdc"))
        return;
    if (bitmap)
        SelectBitmap(*bitmap);
    if (reference && reference->hdc)
        ::SetMapMode(hdc, ::GetMapMode(reference->hdc));
}

WPMemDC::~WPMemDC() {
    Restore();
    if (hdc)
        WPCheck(::DeleteDC(hdc) != 0, "ret");
    hdc = nullptr;
}

WPBufferDC::WPBufferDC(WPDC* reference, const WPRect& rect, int monochrome) {
    HDC referenceDc = reference ? reference->hdc : nullptr;
    hdc = ::CreateCompatibleDC(referenceDc);
    if (!WPCheck(hdc != nullptr, "hdc"))
        return;
    WPPoint corners[2] = {WPPoint(rect.left, rect.top), WPPoint(rect.right, rect.bottom)};
    if (referenceDc)
        ::LPtoDP(referenceDc, reinterpret_cast<POINT*>(corners), static_cast<int>(std::size(corners)));
    int width = corners[1].x - corners[0].x, height = corners[1].y - corners[0].y;
    if (width < 0) width = -width;
    if (height < 0) height = -height;
    // A fresh memory context holds a 1x1 monochrome bitmap, so a bitmap
    // compatible with it is monochrome.
    HBITMAP bitmap = ::CreateCompatibleBitmap(monochrome || !referenceDc ? hdc : referenceDc,
                                              width, height);
    if (WPCheck(bitmap != nullptr, "h"))
        Select(kBitmapSlot, bitmap, 1);
    // Same map mode as the reference, so the rectangle means the same here.
    if (referenceDc)
        ::SetMapMode(hdc, ::GetMapMode(referenceDc));
    ::SetWindowOrgEx(hdc, rect.left, rect.top, nullptr);
}

WPBufferDC::~WPBufferDC() {
    Restore();
    if (hdc)
        ::DeleteDC(hdc);
    hdc = nullptr;
}

WPPaintDC::WPPaintDC(WPWin* win) {
    if (!WPCheck(win != nullptr, "w"))
        return;
    owner = win->hwnd;
    hdc = ::BeginPaint(owner, &paint);
    WPCheck(hdc != nullptr, "hdc");
}

WPPaintDC::~WPPaintDC() {
    Restore();
    if (hdc)
        ::EndPaint(owner, &paint);
    hdc = nullptr;
}

WPItemDC::WPItemDC(const DRAWITEMSTRUCT* item) {
    if (item) {
        hdc = item->hDC;
        rect = WPRect(item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);
        itemId = item->itemID;
        itemData = item->itemData;
    }
    WPCheck(hdc != nullptr, "hdc");
}

WPItemDC::~WPItemDC() { Restore(); }
