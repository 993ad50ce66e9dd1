// Device context wrappers under Wine: what a wrapper selects is put back and
// freed at its end, stock objects are never deleted, and printed lines are
// laid out in pages with an abort dialog that can stop the job.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_platform.h"
#include "windows_test_support.h"
#include "wpgdi.h"
#include "wpmainwin.h"

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
    HGDIOBJ original = ::GetCurrentObject(memory, OBJ_BRUSH);
    HGDIOBJ white = ::GetStockObject(WHITE_BRUSH);  // stock object 0
    {
        BorrowedDC dc(memory);
        dc.Select(kBrushSlot, reinterpret_cast<HGDIOBJ>(0), 1);  // asks to own it
        EXPECT_EQ(white, dc.objs[kBrushSlot].hobj);
        EXPECT_EQ(0, dc.objs[kBrushSlot].owned);
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        dc.Select(kBrushSlot, red, 1);
        EXPECT_EQ(red, ::GetCurrentObject(memory, OBJ_BRUSH));
        dc.SelectStock(kBrushSlot, BLACK_BRUSH);
        EXPECT_FALSE(IsLiveObject(red));
    }
    EXPECT_EQ(original, ::GetCurrentObject(memory, OBJ_BRUSH));
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

TEST(Contexts, WindowAndMemoryContextsRestoreAndDrawBitmaps) {
    UseTestModule();
    RecordingPlatform platform;
    WPMainWin* win = new WPMainWin("KivoraTestGdiWindow");
    win->keepRunning = 1;
    win->Create();
    {
        WPWinDC screen(win);
        ASSERT_NE(nullptr, screen.hdc);
        WPBitmap picture(&screen, 8, 8);
        {
            WPMemDC memory(&screen, &picture);
            memory.SelectStock(kBrushSlot, BLACK_BRUSH);
            ::PatBlt(memory.hdc, 0, 0, 8, 8, PATCOPY);
        }
        WPBitmap target(&screen, 16, 16);
        WPMemDC canvas(&screen, &target);
        ::PatBlt(canvas.hdc, 0, 0, 16, 16, WHITENESS);
        EXPECT_TRUE(canvas.DrawBitmap(picture, 4, 4, SRCCOPY));
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(canvas.hdc, 3, 3));
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(canvas.hdc, 4, 4));
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(canvas.hdc, 11, 11));
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(canvas.hdc, 12, 12));
    }
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
    int NewPage() override {
        linesOnPage.push_back(0);
        return 1;
    }
    int LinesPerPage() const { return pager.LinesPerPage(); }

protected:
    BOOL WriteLine(int y, const char* text, int length) override {
        ++linesOnPage.back();
        ys.push_back(y);
        return WPPrinterDC::WriteLine(y, text, length);
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
        EXPECT_EQ(room - 1, printer.linesOnPage[0]);
        EXPECT_EQ(11, printer.linesOnPage[1]);
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
        // A second job may start once the first one's dialog is gone.
        printer.StartPrinting(nullptr);
        EXPECT_TRUE(WPAbortProc(memory, 0));
    }
    EXPECT_EQ(nullptr, DlgAbort);
    EXPECT_EQ(nullptr, wpApp.modeless);
    EXPECT_TRUE(platform.boxes.empty());
    ::DeleteDC(memory);
}

}  // namespace
