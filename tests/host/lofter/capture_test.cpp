// Which window a capture takes: the started program's own with c=NEW, and
// never the shell's desktop or taskbar.
#include "newwindow.h"
#include "shellwindow.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace lofter;

namespace {

WindowList ListOf(std::initializer_list<WindowId> windows) {
    WindowList list;
    for (WindowId window : windows) list.Add(window);
    return list;
}

}  // namespace

TEST(NewWindow, TheForegroundWhenNewElseTheHighestNewOne) {
    // Windows 1 and 2 were there before the start.
    const WindowList note = ListOf({1, 2});
    struct Row {
        const char* fault;
        WindowId foreground;
        std::initializer_list<WindowId> shown;  // may be captured now, top first
        WindowId taken;
    };
    const Row rows[] = {
        {"a new foreground window passed over for a higher new one", 5, {4, 5, 1}, 5},
        {"an old foreground window taken", 1, {1, 4, 5}, 4},
        {"a lower new window taken before the highest", 2, {2, 6, 1, 4}, 6},
        {"a new foreground window that may not be captured taken", 9, {4}, 4},
        {"an old window taken while no new one is shown", 1, {1, 2}, 0},
        {"a splash that has gone taken", 0, {1}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fault);
        EXPECT_EQ(r.taken, ChooseNewWindow(note, r.foreground, ListOf(r.shown)));
    }

    // A note that cannot hold every window says so: it cannot tell new ones.
    WindowList full;
    for (WindowId w = 1; w <= kWindowListCapacity; ++w) full.Add(w);
    EXPECT_TRUE(full.Complete());
    EXPECT_TRUE(full.Holds(kWindowListCapacity));
    full.Add(kWindowListCapacity + 1);
    EXPECT_FALSE(full.Complete());
    EXPECT_FALSE(full.Holds(kWindowListCapacity + 1));
}

TEST(ShellWindows, DesktopAndTaskbarClassesAreNeverCaptured) {
    struct Row {
        const char* className;
        bool shell;
    };
    const Row rows[] = {
        {"#32769", true},  {"Progman", true},  {"WorkerW", true},  {"Shell_TrayWnd", true},
        {"Shell_SecondaryTrayWnd", true},  {"shell_traywnd", true},
        {"Notepad", false}, {"#32770", false}, {"Shell_TrayWndX", false}, {"", false},
    };
    for (const Row& r : rows) EXPECT_EQ(r.shell, IsShellWindowClass(r.className)) << r.className;
}
