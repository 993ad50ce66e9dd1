// lofter on a screen scaled to 150 %: at_dpi.sh runs this test in a Wine
// prefix of its own at 144 DPI. A program that the system scales would have
// its numbers taken as 96-DPI units: x=100 would land at 150.
#include "harness.h"
#include "lofter_keys.h"

#include <gtest/gtest.h>

namespace {

const int kScaledDpi = 144;
const char kNotepadKey[] = "Software\\Microsoft\\Notepad";  // where Notepad would reopen
const char kTestDelay[] = "3000";                           // as in the lofter tests
const DWORD kStartMs = 10000;
const DWORD kPlacedMs = 6000;

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HWND WaitForWindowOf(const char* className, DWORD processId) {
    e2e::WindowQuery query;
    query.className = className;
    query.processId = processId;
    query.visibleOnly = processId == 0;
    return e2e::WaitForWindow(query, kStartMs);
}

// Faults caught: lofter run unaware of the scaling (its window would report
// it, and its placement would land at 150,120,900,570), and a placement that
// converts the numbers itself.
TEST(ScaledScreen, LofterIsDpiAwareAndPlacesInScreenPixels) {
    // This process reads the screen's own pixels as well.
    SetProcessDPIAware();
    ASSERT_EQ(kScaledDpi, ScreenDpi()) << "the prefix is not scaled: nothing would be tested";
    ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey));
    ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterDelayKey, kTestDelay));

    e2e::Program lofter;
    ASSERT_TRUE(lofter.Start(e2e::BesideTests("lofter.exe"), "x=100,y=80,w=500,h=300,e=notepad.exe"));
    HWND main = WaitForWindowOf("MAINWIN", lofter.Id());
    ASSERT_NE(nullptr, main);
    EXPECT_NE(DPI_AWARENESS_UNAWARE, GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(main)));
    EXPECT_EQ(static_cast<UINT>(kScaledDpi), GetDpiForWindow(main));

    HWND notepad = WaitForWindowOf("Notepad", 0);
    ASSERT_NE(nullptr, notepad);
    EXPECT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, kPlacedMs));
    const RECT r = e2e::WindowRect(notepad);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(80, r.top);
    EXPECT_EQ(600, r.right);
    EXPECT_EQ(380, r.bottom);
    EXPECT_EQ(0u, lofter.WaitForExit(kPlacedMs).value_or(0xDEAD));
    e2e::CloseWindowsOfClass("Notepad");
}

}  // namespace
