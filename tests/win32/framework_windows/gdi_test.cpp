// Device context wrappers under Wine: what a wrapper selects is put back and
// freed at its end, stock objects are never deleted, and printed lines are
// laid out in pages with an abort dialog that can stop the job.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "recording_platform.h"
#include "windows_test_support.h"
#include "wpfiledlg.h"
#include "wpgdi.h"
#include "wpglob.h"
#include "wpmainwin.h"
#include "wpprintername.h"

namespace {

// A wrapper around a context the test made, so that the context can be
// inspected after the wrapper has gone.
class BorrowedDC : public WPDC {
public:
    explicit BorrowedDC(HDC existing) { hdc = existing; }
};

bool IsLiveObject(HGDIOBJ object) { return ::GetObjectType(object) != 0; }

TEST(Selection, SecondFontInSlotFreesFirstAndOriginalComesBack) {
    RecordingPlatform platform;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ original = ::GetCurrentObject(memory, OBJ_FONT);
    HGDIOBJ first, second;
    {
        BorrowedDC dc(memory);
        dc.SetFont("MS Gothic", 200);
        first = dc.objs[kFontSlot].hobj;
        ASSERT_TRUE(IsLiveObject(first));
        EXPECT_EQ(first, ::GetCurrentObject(memory, OBJ_FONT));
        LOGFONTA font;
        ::GetObjectA(first, sizeof font, &font);
        EXPECT_EQ(SHIFTJIS_CHARSET, font.lfCharSet);
        EXPECT_EQ(MM_TEXT, ::GetMapMode(memory));  // put back after the font
        // The height is in twips: 200 twips are 10 points, not 200 pixels.
        TEXTMETRICA metrics;
        ASSERT_TRUE(::GetTextMetricsA(memory, &metrics));
        int pixels = ::MulDiv(200, ::GetDeviceCaps(memory, LOGPIXELSY), 1440);
        EXPECT_NEAR(pixels, metrics.tmHeight - metrics.tmInternalLeading, 1);

        dc.SetFont("MS Gothic", 300);
        second = dc.objs[kFontSlot].hobj;
        EXPECT_FALSE(IsLiveObject(first));
        EXPECT_EQ(original, dc.orig[kFontSlot]);
    }
    EXPECT_EQ(original, ::GetCurrentObject(memory, OBJ_FONT));
    EXPECT_FALSE(IsLiveObject(second));
    EXPECT_TRUE(platform.boxes.empty());
    ::DeleteDC(memory);
}

TEST(Selection, StockObjectZeroIsNeverOwnedOrDeleted) {
    RecordingPlatform platform;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ original = ::GetCurrentObject(memory, OBJ_BRUSH), originalPen = ::GetCurrentObject(memory, OBJ_PEN);
    HGDIOBJ white = ::GetStockObject(WHITE_BRUSH);  // stock object 0
    {
        BorrowedDC dc(memory);
        // asks to own it; each selection answers the object it replaced
        EXPECT_EQ(original, dc.Select(kBrushSlot, reinterpret_cast<HGDIOBJ>(0), 1));
        EXPECT_EQ(white, dc.objs[kBrushSlot].hobj);
        EXPECT_EQ(0, dc.objs[kBrushSlot].owned);
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        EXPECT_EQ(white, dc.Select(kBrushSlot, red, 1));
        EXPECT_EQ(red, ::GetCurrentObject(memory, OBJ_BRUSH));
        dc.SelectStock(kBrushSlot, BLACK_BRUSH);
        EXPECT_FALSE(IsLiveObject(red));
        EXPECT_EQ(::GetStockObject(BLACK_BRUSH), dc.SelectStock(kBrushSlot, WHITE_BRUSH));  // 0 is a stock number
        dc.SelectStock(kPenSlot, NULL_PEN);
    }
    EXPECT_EQ(original, ::GetCurrentObject(memory, OBJ_BRUSH));
    EXPECT_EQ(originalPen, ::GetCurrentObject(memory, OBJ_PEN)) << "the first slot not given back";
    EXPECT_EQ(OBJ_BRUSH, static_cast<int>(::GetObjectType(white)));
    EXPECT_TRUE(platform.boxes.empty());  // no failed deletion
    ::DeleteDC(memory);
}

TEST(Selection, SelectionBehindTheWrappersBackIsAnAssertion) {
    RecordingPlatform platform;
    HDC memory = ::CreateCompatibleDC(nullptr);
    {
        BorrowedDC dc(memory);
        dc.SelectStock(kPenSlot, BLACK_PEN);
        ::SelectObject(memory, ::GetStockObject(WHITE_PEN));
        dc.SelectStock(kPenSlot, NULL_PEN);
    }
    ASSERT_EQ(1u, platform.boxes.size());
    // The text is cut to 79 characters: the expression's start is there.
    EXPECT_EQ("ASSERTION FAILURE", platform.boxes[0].caption);
    EXPECT_NE(std::string::npos, platform.boxes[0].text.find("wpgdi.cpp: \"obj.hobj==NULL"))
        << platform.boxes[0].text;
    ::DeleteDC(memory);
}

// The smallest rectangle holding every pixel of dc that is not white, within
// width x height ({0, 0, 0, 0} when there is none).
RECT Inked(HDC dc, int width, int height) {
    RECT inked = {width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (::GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                inked = {std::min<LONG>(inked.left, x), std::min<LONG>(inked.top, y),
                         std::max<LONG>(inked.right, x + 1), std::max<LONG>(inked.bottom, y + 1)};
            }
    return inked.right ? inked : RECT{0, 0, 0, 0};
}

// Each drawing call lands where it was asked, at the size asked, and answers
// success. Nothing in the cases is square or at x == y, so that a width taken
// for a height or an x for a y shows.
TEST(Drawing, EachCallLandsWhereItWasAsked) {
    UseTestModule();
    HDC screen = ::GetDC(nullptr);
    BorrowedDC reference(screen);
    WPBitmap picture(&reference, 8, 4);  // black
    WPBitmap halves(&reference, 8, 4);   // black left half, white right half
    {
        WPMemDC paint(&reference, &picture);
        ::PatBlt(paint.hdc, 0, 0, 8, 4, BLACKNESS);
        paint.SelectBitmap(halves);
        ::PatBlt(paint.hdc, 0, 0, 4, 4, BLACKNESS);
        ::PatBlt(paint.hdc, 4, 0, 4, 4, WHITENESS);
    }
    const int kWidth = 64, kHeight = 40;
    const struct {
        const char* call;
        std::function<BOOL(WPDC& canvas)> draw;
        RECT inked;   // exactly, or
        bool within;  // somewhere inside it
    } cases[] = {
        {"DrawBitmap", [&](WPDC& c) { return c.DrawBitmap(picture, 6, 2, SRCCOPY); }, {6, 2, 14, 6}, false},
        {"DrawBitmap's raster operation", [&](WPDC& c) { return c.DrawBitmap(halves, 6, 2, NOTSRCCOPY); },
         {10, 2, 14, 6}, false},
        {"CopyFrom", [&](WPDC& c) {
             WPMemDC source(&reference, &halves);
             return c.CopyFrom(WPRect(20, 10, 23, 12), source, 2, 1, SRCCOPY);
         }, {20, 10, 22, 12}, false},
        {"DrawIcon", [](WPDC& c) { return c.DrawIcon(30, 4, ::LoadIconA(nullptr, IDI_APPLICATION)); },
         {30, 4, 62, 36}, true},
        {"TextOutF", [](WPDC& c) { return c.TextOutF(40, 20, "%d", 7); }, {40, 20, kWidth, kHeight}, true},
    };
    for (const auto& c : cases) {
        WPBitmap target(&reference, kWidth, kHeight);
        WPMemDC canvas(&reference, &target);
        ::PatBlt(canvas.hdc, 0, 0, kWidth, kHeight, WHITENESS);
        EXPECT_TRUE(c.draw(canvas)) << c.call;
        RECT inked = Inked(canvas.hdc, kWidth, kHeight);
        if (c.within) {
            EXPECT_TRUE(inked.right > inked.left && inked.left >= c.inked.left && inked.top >= c.inked.top &&
                        inked.right <= c.inked.right && inked.bottom <= c.inked.bottom)
                << c.call << " at " << inked.left << "," << inked.top << "-" << inked.right << "," << inked.bottom;
        } else {
            EXPECT_TRUE(::EqualRect(&inked, &c.inked))
                << c.call << " at " << inked.left << "," << inked.top << "-" << inked.right << "," << inked.bottom;
        }
    }
    // Success is the system's: an empty text writes nothing.
    WPMemDC blank(&reference);
    EXPECT_EQ(::TabbedTextOutA(blank.hdc, 0, 0, "", 0, 0, nullptr, 0) != 0, blank.TextOutF(0, 0, "%s", ""));
    // A text the formatter cannot make (a lone surrogate has no bytes) is no success.
    EXPECT_FALSE(blank.TextOutF(0, 0, "%ls", L"\xD800"));
    // The conversions go through the context's origins and answer success.
    ::SetViewportOrgEx(blank.hdc, 10, 20, nullptr);
    WPPoint point(5, 7);
    EXPECT_TRUE(blank.LogicalToDevice(&point, 1));
    EXPECT_TRUE(point.x == 15 && point.y == 27) << point.x << "," << point.y;
    EXPECT_TRUE(blank.DeviceToLogical(&point, 1));
    EXPECT_TRUE(point.x == 5 && point.y == 7) << point.x << "," << point.y;
    ::SetViewportOrgEx(blank.hdc, 0, 0, nullptr);
    // A bitmap that is gone draws nothing, and says so.
    WPBitmap gone(&reference, 2, 2);
    gone.Destroy();
    EXPECT_FALSE(blank.DrawBitmap(gone, 0, 0, SRCCOPY));

    // Tabs stop every eight average characters counted from the context's
    // left edge, not from where the text starts.
    const int kWide = 160;
    WPBitmap wide(&reference, kWide, kHeight);
    WPMemDC canvas(&reference, &wide);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(canvas.hdc, &metrics);
    auto inkOf = [&](int x, const char* text) {
        ::PatBlt(canvas.hdc, 0, 0, kWide, kHeight, WHITENESS);
        canvas.TextOutF(x, 4, "%s", text);
        return Inked(canvas.hdc, kWide, kHeight);
    };
    const RECT tabbed = inkOf(3, "\t7"), direct = inkOf(8 * metrics.tmAveCharWidth, "7");
    EXPECT_TRUE(direct.right > 0 && ::EqualRect(&tabbed, &direct))
        << "the tab ended at " << tabbed.left << ", not at " << direct.left;
    ::ReleaseDC(nullptr, screen);
}

// A font's height is in twips whatever the context's map mode: the font is
// made in the context's own units, character height for a positive height.
TEST(Drawing, FontHeightIsInTwipsInAnyMapMode) {
    HDC memory = ::CreateCompatibleDC(nullptr);
    const int pixels = ::MulDiv(200, ::GetDeviceCaps(memory, LOGPIXELSY), 1440);
    const struct {
        int mapMode, height;
        int expected;  // the font's lfHeight, give or take one for rounding
    } cases[] = {
        {MM_TEXT, 200, -pixels},
        {MM_TEXT, -200, pixels},
        {MM_LOMETRIC, 200, -35},  // 200 twips are 3.5 mm
    };
    for (const auto& c : cases) {
        BorrowedDC dc(memory);
        ::SetMapMode(memory, c.mapMode);
        dc.SetFont("MS Gothic", c.height);
        LOGFONTA font = {};
        ASSERT_TRUE(::GetObjectA(dc.objs[kFontSlot].hobj, sizeof font, &font));
        EXPECT_NEAR(c.expected, font.lfHeight, 1) << c.mapMode << " " << c.height;
        EXPECT_STREQ("MS Gothic", font.lfFaceName);
        EXPECT_EQ(c.mapMode, ::GetMapMode(memory));
    }
    ::SetMapMode(memory, MM_TEXT);
    ::DeleteDC(memory);
}

// A window whose painting selects a font through its paint context.
class PaintingWindow : public WPMainWin {
public:
    PaintingWindow() : WPMainWin("KivoraTestPaintingWindow") {
        keepRunning = 1;
        Create();
    }
    std::function<void(WPDC&)> onDraw;
    void OnDraw(WPPaintDC& dc) override { onDraw(dc); }
};

// Every kind of context puts back and frees what was selected through it
// before it lets its context go.
TEST(Contexts, EachKindFreesItsSelectionsAtItsEnd) {
    UseTestModule();
    RecordingPlatform platform;
    auto* win = new PaintingWindow;
    HGDIOBJ font = nullptr;
    HDC drawnOn = nullptr;
    win->onDraw = [&](WPDC& dc) {
        dc.SetFont("MS Gothic", 200);
        font = dc.objs[kFontSlot].hobj;
        drawnOn = dc.hdc;
    };
    const struct {
        const char* kind;
        std::function<void()> draw;
    } cases[] = {
        {"window", [&] {
             { WPWinDC dc(win); win->onDraw(dc); }
             EXPECT_FALSE(::ReleaseDC(win->hwnd, drawnOn)) << "released at its end";
         }},
        {"whole window", [&] {
             { WPWholeWinDC dc(win); win->onDraw(dc); }
             EXPECT_FALSE(::ReleaseDC(win->hwnd, drawnOn)) << "released at its end";
         }},
        {"memory", [&] {
             { WPMemDC dc(nullptr); win->onDraw(dc); }
             EXPECT_FALSE(IsLiveObject(drawnOn)) << "its own context";
         }},
        {"buffer", [&] {
             HDC used = nullptr;
             HGDIOBJ bitmap = nullptr;
             {
                 WPBufferDC dc(nullptr, WPRect(0, 0, 8, 8), 1);
                 used = dc.hdc;
                 bitmap = dc.objs[kBitmapSlot].hobj;
                 win->onDraw(dc);
             }
             EXPECT_FALSE(IsLiveObject(bitmap)) << "its own bitmap";
             EXPECT_FALSE(IsLiveObject(used)) << "its own context";
         }},
        {"paint", [&] {
             ::SendMessageA(win->hwnd, WM_PAINT, 0, 0);
             EXPECT_FALSE(::ReleaseDC(win->hwnd, drawnOn)) << "painting ended at its end";
         }},
        {"print dialog's", [&] {
             HGLOBAL mode = ::GlobalAlloc(GMEM_MOVEABLE, 16), names = ::GlobalAlloc(GMEM_MOVEABLE, 16);
             {
                 WPPrintDlg answered(nullptr);
                 // It answers the user's choice, and takes no part in a dialog's construction.
                 dialogUnderConstruction = &answered;
                 platform.printConfirmed = TRUE;
                 EXPECT_EQ(1, answered.Create());
                 EXPECT_EQ(nullptr, dialogUnderConstruction);
                 platform.printConfirmed = FALSE;
                 EXPECT_EQ(0, answered.Create());
                 answered.request.hDC = ::CreateCompatibleDC(nullptr);
                 answered.request.hDevMode = mode;
                 answered.request.hDevNames = names;
                 { WPPrintDlgDC dc(answered); win->onDraw(dc); }
                 EXPECT_NE(0u, ::GetObjectType(answered.request.hDC)) << "the dialog's to delete";
             }
             EXPECT_FALSE(IsLiveObject(drawnOn)) << "deleted with the dialog";
             EXPECT_EQ(0u, ::GlobalSize(mode) + ::GlobalSize(names)) << "freed with the dialog";
         }},
    };
    for (const auto& c : cases) {
        font = nullptr;
        c.draw();
        ASSERT_NE(nullptr, font) << c.kind;
        EXPECT_FALSE(IsLiveObject(font)) << c.kind;
    }
    EXPECT_TRUE(platform.boxes.empty());
    win->Destroy();
}

// Each failed call or missing argument stops at its own assertion; OK
// carries on without touching what is not there.
TEST(Selection, FailuresAreAssertionsNamingWhatFailed) {
    UseTestModule();
    HDC memory = ::CreateCompatibleDC(nullptr);
    HPEN gone = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    ::DeleteObject(gone);
    WPPrintDlg unanswered(nullptr);
    const struct {
        const char* expression;
        std::function<void()> fault;
    } cases[] = {
        {"\"dc\"", [] { WPBitmap bitmap(nullptr, 8, 8); }},
        {"\"w\"", [] { WPWinDC dc(nullptr); }},
        {"\"w\"", [] { WPWholeWinDC dc(nullptr); }},
        {"\"w\"", [] { WPPaintDC dc(nullptr); }},
        {"\"hdc\"", [] { WPItemDC dc(nullptr); }},
        {"\"hdc\"", [&] { WPPrintDlgDC dc(unanswered); }},  // the dialog returned no context
        {"\"slot\"", [&] { BorrowedDC(memory).Select(kGdiSlots, ::GetStockObject(BLACK_PEN), 0); }},
        {"\"stock<32\"", [&] { BorrowedDC(memory).SelectStock(kPenSlot, 32); }},
        {"\"h\"", [&] { BorrowedDC(memory).SelectStock(kPenSlot, 31); }},  // no stock object 31
        {"\"old\"", [&] { BorrowedDC(memory).Select(kPenSlot, gone, 0); }},
        {"\"res\"", [&] { WPGdiObj owned(gone, 1); }},
        {"\"win\"", [] { theCursor.ClipTo(nullptr); }},
        {"\"win\"", [] { MakeCaret(nullptr, nullptr); }},
    };
    for (const auto& c : cases) {
        RecordingPlatform platform;
        c.fault();
        ASSERT_EQ(1u, platform.boxes.size()) << c.expression;
        EXPECT_EQ("ASSERTION FAILURE", platform.boxes[0].caption);
        EXPECT_NE(std::string::npos, platform.boxes[0].text.find(c.expression)) << platform.boxes[0].text;
    }
    ::DeleteDC(memory);
}

TEST(Contexts, BitmapsBuffersAndWindowOrigins) {
    UseTestModule();
    RecordingPlatform platform;
    WPMainWin* win = new WPMainWin("KivoraTestGdiWindow");
    win->keepRunning = 1;
    win->Create();
    {
        // The bitmap's size is a size: a window origin must not grow it.
        // BLACKNESS uses no source, so nothing clips the copy to the bitmap.
        WPWinDC screen(win);
        WPBitmap picture(&screen, 8, 8);
        WPBitmap target(&screen, 32, 32);
        WPMemDC canvas(&screen, &target);
        ::PatBlt(canvas.hdc, 0, 0, 32, 32, WHITENESS);
        canvas.SetWindowOrigin(10, 10);
        EXPECT_TRUE(canvas.DrawBitmap(picture, 10, 10, BLACKNESS));
        canvas.SetWindowOrigin(0, 0);
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(canvas.hdc, 7, 7));
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(canvas.hdc, 8, 8));
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(canvas.hdc, 0, 8));
        // At two pixels to a unit the bitmap still covers its own 8 pixels.
        ::PatBlt(canvas.hdc, 0, 0, 32, 32, WHITENESS);
        ::SetMapMode(canvas.hdc, MM_ANISOTROPIC);
        ::SetViewportExtEx(canvas.hdc, 2, 2, nullptr);
        EXPECT_TRUE(canvas.DrawBitmap(picture, 0, 0, BLACKNESS));
        ::SetMapMode(canvas.hdc, MM_TEXT);
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(canvas.hdc, 7, 7));
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(canvas.hdc, 8, 8)) << "the size taken in pixels as units";
    }
    {
        WPWinDC screen(win);
        WPBufferDC buffer(&screen, WPRect(10, 20, 30, 50), 0);
        BITMAP info;
        ::GetObjectA(buffer.objs[kBitmapSlot].hobj, sizeof info, &info);
        EXPECT_EQ(20, info.bmWidth);
        EXPECT_EQ(30, info.bmHeight);
        POINT origin;
        ::GetWindowOrgEx(buffer.hdc, &origin);
        EXPECT_EQ(10, origin.x);
        EXPECT_EQ(20, origin.y);
        EXPECT_GT(info.bmBitsPixel, 1);  // in the screen's colours
    }
    {
        // A reference in a map mode of its own: its units give the buffer's
        // size, and memory contexts take its map mode.
        HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        ::SetMapMode(display, MM_LOMETRIC);
        BorrowedDC reference(display);
        WPMemDC memory(&reference);
        EXPECT_EQ(MM_LOMETRIC, memory.GetMapMode());
        WPBufferDC buffer(&reference, WPRect(0, 0, 254, -127), 1);  // an inch by half an inch
        BITMAP info;
        ::GetObjectA(buffer.objs[kBitmapSlot].hobj, sizeof info, &info);
        const int dpi = ::GetDeviceCaps(display, LOGPIXELSX);
        EXPECT_NEAR(dpi, info.bmWidth, 1);
        EXPECT_NEAR(dpi / 2, info.bmHeight, 1);
        EXPECT_EQ(1, info.bmBitsPixel);  // monochrome, as asked
        EXPECT_EQ(MM_LOMETRIC, buffer.GetMapMode());
        ::DeleteDC(display);
    }
    EXPECT_TRUE(platform.boxes.empty());
    win->Destroy();
}

// A printer context on a memory context that notes its pages and lines.
class PagePrinter : public WPPrinterDC {
public:
    explicit PagePrinter(HDC memory) : WPPrinterDC(memory, 0) {}
    std::vector<int> linesOnPage{0};
    std::vector<int> ys;
    int failedWrites = 0;
    // Each page's escape answers the number of pages so far.
    int NewPage() override {
        linesOnPage.push_back(0);
        lastEscape = static_cast<int>(linesOnPage.size());
        return lastEscape;
    }
    int LinesPerPage() const { return pager.LinesPerPage(); }

protected:
    BOOL WriteLine(int y, const char* text, int length) override {
        ++linesOnPage.back();
        ys.push_back(y);
        const BOOL written = WPPrinterDC::WriteLine(y, text, length);
        if (!written) ++failedWrites;
        return written;
    }
};

TEST(Printing, LinesFillAPageLessOneThenANewPageStarts) {
    UseTestModule();
    RecordingPlatform platform;
    WPMainWin* owner = new WPMainWin("KivoraTestPrintOwner");
    owner->keepRunning = 1;
    owner->Create();
    HDC memory = ::CreateCompatibleDC(nullptr);
    {
        PagePrinter printer(memory);
        printer.StartPrinting(owner);
        ASSERT_NE(nullptr, DlgAbort);
        EXPECT_FALSE(::IsWindowEnabled(owner->hwnd));
        TEXTMETRICA metrics;
        ::GetTextMetricsA(memory, &metrics);
        int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        int room = ::GetDeviceCaps(memory, VERTRES) / lineHeight;  // lines the page holds
        ASSERT_EQ(room - 1, printer.LinesPerPage());
        for (int i = 0; i < room + 10; ++i) printer.PrintLine("line\tx", 6);
        ASSERT_EQ(2u, printer.linesOnPage.size());
        EXPECT_EQ(2, printer.PrintLine("x", 1));  // the last escape's answer
        EXPECT_EQ(room - 1, printer.linesOnPage[0]);
        EXPECT_EQ(12, printer.linesOnPage[1]);
        EXPECT_EQ(lineHeight * (room - 2), printer.ys[room - 2]);
        EXPECT_EQ(0, printer.ys[room - 1]);

        printer.PrintLine("\f", 1);  // a form feed alone: a page, no line
        EXPECT_EQ(3u, printer.linesOnPage.size());
        EXPECT_EQ(0, printer.linesOnPage[2]);
        printer.PrintLine("after", 5);
        EXPECT_EQ(0, printer.ys.back());
    }
    EXPECT_EQ(nullptr, DlgAbort);
    EXPECT_TRUE(::IsWindowEnabled(owner->hwnd));
    EXPECT_TRUE(platform.boxes.empty());
    ::DeleteDC(memory);
    owner->Destroy();
}

TEST(Printing, CancelInAbortDialogStopsTheJob) {
    UseTestModule();
    RecordingPlatform platform;
    HDC memory = ::CreateCompatibleDC(nullptr);
    {
        PagePrinter printer(memory);
        printer.StartPrinting(nullptr);
        ASSERT_NE(nullptr, DlgAbort);
        EXPECT_TRUE(WPAbortProc(memory, 0));
        ::SendMessageA(DlgAbort->hwnd, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(nullptr, DlgAbort);
        EXPECT_FALSE(WPAbortProc(memory, 0));
        // A second job may start once the first one's dialog is gone. The
        // procedure hands other windows their messages, and the dialog its
        // keys: Escape there stops the job too.
        printer.StartPrinting(nullptr);
        HWND other = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ::PostMessageA(other, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WPAbortProc(memory, 0));
        EXPECT_FALSE(::IsWindow(other));
        ::PostMessageA(DlgAbort->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_FALSE(WPAbortProc(memory, 0));
    }
    EXPECT_EQ(nullptr, DlgAbort);
    EXPECT_EQ(nullptr, wpApp.modeless);
    EXPECT_TRUE(platform.boxes.empty());
    ::DeleteDC(memory);
}

// Lines start at the left edge, one under the other, with tabs expanded.
TEST(Printing, LinesAreWrittenFromTheLeftEdgeDown) {
    UseTestModule();
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP page = ::CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ old = ::SelectObject(memory, page);
    ::PatBlt(memory, 0, 0, 200, 100, WHITENESS);
    RECT first = {}, both = {};
    int lineHeight = 0;
    {
        PagePrinter printer(memory);
        printer.StartPrinting(nullptr);
        TEXTMETRICA metrics;
        ::GetTextMetricsA(memory, &metrics);
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        printer.PrintLine("WW", 1);  // only the length given is printed
        first = Inked(memory, 200, 100);
        printer.PrintLine("W\tW", 3);
        both = Inked(memory, 200, 100);
        EXPECT_EQ(0, printer.failedWrites);
    }
    EXPECT_LE(first.left, 1);
    EXPECT_LT(first.top, lineHeight / 2);
    EXPECT_LE(first.bottom, lineHeight);
    EXPECT_LT(first.right, 20);
    EXPECT_GT(both.bottom, lineHeight);
    EXPECT_LE(both.bottom, 2 * lineHeight);
    EXPECT_GT(both.right, 40);  // the second W at the first tab stop
    ::SelectObject(memory, old);
    ::DeleteObject(page);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

// The default printer is the [windows] device entry's name, and a device's
// driver and port are its [devices] entry: DEVICE=DRIVER,PORT.
TEST(Printing, PrinterNamesAndDriversComeFromTheSettings) {
    RecordingPlatform platform;
    char kept[kPrinterBufferSize];
    ::GetProfileStringA("windows", "device", "", kept, sizeof kept);
    ::WriteProfileStringA("windows", "device", "Laser,winspool,LPT1:");
    ::WriteProfileStringA("devices", "Laser", "winspool,LPT1:");
    ::WriteProfileStringA("devices", "Screen", "DISPLAY,COM2:");
    char name[kPrinterBufferSize], driver[kPrinterBufferSize], port[kPrinterBufferSize];
    EXPECT_EQ(5, GetDefaultPrinter(name, sizeof name));
    EXPECT_STREQ("Laser", name);
    ASSERT_TRUE(ReadPrinterEntry(nullptr, name, driver, port));
    EXPECT_STREQ("Laser", name);
    EXPECT_STREQ("winspool", driver);
    EXPECT_STREQ("LPT1:", port);
    ASSERT_TRUE(ReadPrinterEntry("Screen", name, driver, port));
    EXPECT_STREQ("Screen", name);
    EXPECT_STREQ("DISPLAY", driver);
    EXPECT_STREQ("COM2:", port);
    // A name that fills the buffer leaves no room for its entry: no driver.
    const std::string longest(kPrinterBufferSize - 1, 'P');
    ASSERT_TRUE(ReadPrinterEntry((longest + "QQ").c_str(), name, driver, port));
    EXPECT_EQ(longest, name);
    EXPECT_STREQ("", driver);
    EXPECT_STREQ("", port);
    // The context is made for the device, not for its port: a device named
    // like the port has a driver that does not exist.
    ::WriteProfileStringA("devices", "COM2:", "NoSuchDriver,Screen");
    {
        WPPrinterDC named("Screen");  // a driver that exists: a context, no box
        EXPECT_NE(nullptr, named.hdc);
    }
    EXPECT_TRUE(platform.boxes.empty());
    ::WriteProfileStringA("devices", "COM2:", nullptr);
    ::WriteProfileStringA("devices", "Laser", nullptr);
    ::WriteProfileStringA("devices", "Screen", nullptr);
    ::WriteProfileStringA("windows", "device", kept[0] ? kept : nullptr);
}

}  // namespace
