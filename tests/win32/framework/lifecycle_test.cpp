// Binding and ownership of window objects: who is deleted, who is only
// unbound, what Create and Attach refuse, and the checks around them.
#include "recording_platform.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int destroyedObjects = 0;

class CountedWin : public WPWin {
public:
    explicit CountedWin(const char* className = "KivoraLifeWin") : WPWin(className) {}
    ~CountedWin() override { ++destroyedObjects; }
};

// A window object embedded in another object.
struct Holder {
    int before = 0;
    CountedWin inner;
};

int createMessages = 0;
LRESULT CALLBACK CountCreates(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) ++createMessages;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        UseThisModule();
        destroyedObjects = 0;
    }
    void TearDown() override { DrainQueue(); }
    RecordingPlatform platform_;
};

}  // namespace

TEST_F(Lifecycle, LocalObjectSurvivesItsWindowUnbound) {
    CountedWin local;
    EXPECT_EQ(0, local.deletable);
    ASSERT_EQ(1, local.Create());
    HWND hwnd = local.hwnd;
    EXPECT_EQ(&local, WPWin::GetWin(hwnd));
    EXPECT_EQ(&local, GetPropA(hwnd, "w+"));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(WPWinProc), GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, local.hwnd);
    EXPECT_EQ(nullptr, local.oldProc);
    EXPECT_EQ(0, destroyedObjects);
    EXPECT_TRUE(platform_.boxes.empty());
    // Unbound, its timer calls name no window: they must not start or kill
    // the thread's own timers.
    const UINT_PTR threadTimer = SetTimer(nullptr, 0, 1000, nullptr);
    EXPECT_EQ(0u, local.SetTimer(1, 10));
    EXPECT_FALSE(local.KillTimer(threadTimer));
    EXPECT_TRUE(KillTimer(nullptr, threadTimer)) << "an unbound object killed a thread timer";
}

// A destructor that makes its window hear from it, as a tray icon's delete
// or a timer's end may: the object, half destroyed, must not be reached.
int handledWhileDestroyed = 0;
const UINT kFarewell = WM_USER + 8;

class TalkativeWin : public CountedWin {
public:
    ~TalkativeWin() override {
        destroying_ = true;
        SendMessageA(created_, kFarewell, 0, 0);
    }
    int Create() override {
        int bound = CountedWin::Create();
        created_ = hwnd;
        return bound;
    }
    int OnOther(WPMsg& msg) override {
        if (msg.msg == kFarewell && destroying_) ++handledWhileDestroyed;
        return 0;
    }

private:
    HWND created_ = nullptr;
    bool destroying_ = false;
};

TEST_F(Lifecycle, ObjectMadeWithNewIsDeletedOnDestroy) {
    handledWhileDestroyed = 0;
    CountedWin* made = new TalkativeWin;
    EXPECT_EQ(1, made->deletable);
    EXPECT_EQ(nullptr, lastNew);
    ASSERT_EQ(1, made->Create());
    DestroyWindow(made->hwnd);
    EXPECT_EQ(1, destroyedObjects);
    EXPECT_EQ(0, handledWhileDestroyed) << "deleted while still bound to its window";
    // Its memory goes back too: a block this big is the system's again at once.
    struct Roomy : CountedWin {
        char room[1 << 20];
    };
    Roomy* roomy = new Roomy;
    volatile uintptr_t block = reinterpret_cast<uintptr_t>(roomy);  // only its address is used after
    delete roomy;
    MEMORY_BASIC_INFORMATION info = {};
    ::VirtualQuery(reinterpret_cast<void*>(block), &info, sizeof info);
    EXPECT_EQ(2, destroyedObjects);
    EXPECT_EQ(DWORD(MEM_FREE), info.State) << "the block was kept";
    EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(Lifecycle, EmbeddedObjectIsNotDeletable) {
    Holder* holder = new Holder;  // plain new: not a window object's own
    EXPECT_EQ(0, holder->inner.deletable);
    ASSERT_EQ(1, holder->inner.Create());
    DestroyWindow(holder->inner.hwnd);
    EXPECT_EQ(0, destroyedObjects);
    EXPECT_EQ(nullptr, holder->inner.hwnd);
    delete holder;
    EXPECT_EQ(1, destroyedObjects);
}

// A handler that runs a nested loop, as a modal dialog or the shell's own
// box does, during which its window is destroyed. levels > 1 first nests
// that many handlers of the same object.
int deletesSeenInHandlers = 0;
int boundAfterLoops = 0;
const UINT kDestroyNow = WM_USER + 7;

class NestingWin : public CountedWin {
public:
    int OnCommand(int levels, int) override {
        if (levels > 1) {
            SendMsg(WM_COMMAND, levels - 1);
        } else {
            PostMessageA(hwnd, kDestroyNow, 0, 0);
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        }
        // Nothing of this object may be read once it is gone.
        deletesSeenInHandlers += destroyedObjects;
        if (destroyedObjects == 0 && hwnd) ++boundAfterLoops;
        return 1;
    }
    int OnOther(WPMsg& msg) override {
        if (msg.msg != kDestroyNow) return 0;
        DestroyWindow(hwnd);
        return 1;
    }
};

struct NestedDestroyCase {
    const char* fault;
    bool madeWithNew;
    int levels;
};

TEST_F(Lifecycle, WindowDestroyedInANestedLoopOutlivesItsHandlers) {
    const NestedDestroyCase cases[] = {
        {"deleted inside the loop: the handler goes on in freed memory", true, 1},
        {"deleted when the inner handler returns, under the outer one", true, 3},
        {"an embedded object deleted by its window", false, 2},
    };
    for (const NestedDestroyCase& c : cases) {
        SCOPED_TRACE(c.fault);
        destroyedObjects = deletesSeenInHandlers = boundAfterLoops = 0;
        NestingWin local;
        NestingWin* win = c.madeWithNew ? new NestingWin : &local;
        ASSERT_EQ(1, win->Create());
        SendMessageA(win->hwnd, WM_COMMAND, c.levels, 0);
        EXPECT_EQ(0, deletesSeenInHandlers);
        EXPECT_EQ(0, boundAfterLoops) << "code after the loop must find the window gone";
        EXPECT_EQ(c.madeWithNew ? 1 : 0, destroyedObjects) << "deleted exactly once, after the last handler";
        EXPECT_EQ(nullptr, local.hwnd);
        EXPECT_TRUE(platform_.boxes.empty());
    }
}

TEST_F(Lifecycle, DestructorDetachesButLeavesTheWindow) {
    HWND hwnd;
    WNDPROC before;
    {
        CountedWin local;
        ASSERT_EQ(1, local.Create());
        hwnd = local.hwnd;
        before = local.oldProc;
    }
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(nullptr, GetPropA(hwnd, "w+"));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(before), GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, WPWin::GetWin(hwnd));
    DestroyWindow(hwnd);
}

TEST_F(Lifecycle, SecondCreateReturnsOneAndCreatesNothing) {
    CountedWin win("KivoraCreateOnce");
    createTemplate.classProc = CountCreates;
    createMessages = 0;
    ASSERT_EQ(1, win.Create());
    HWND first = win.hwnd;
    EXPECT_EQ(1, createMessages);
    EXPECT_EQ(1, win.Create());
    EXPECT_EQ(first, win.hwnd);
    EXPECT_EQ(1, createMessages);
    DestroyWindow(first);
}

TEST_F(Lifecycle, ClassIsRegisteredOnceWithTheFirstValues) {
    CountedWin a("KivoraOneClass");
    createTemplate.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    createTemplate.classStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    ASSERT_EQ(1, a.Create());
    CountedWin b("KivoraOneClass");
    createTemplate.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    createTemplate.classStyle = CS_HREDRAW;
    ASSERT_EQ(1, b.Create());
    EXPECT_EQ(COLOR_BTNFACE + 1, static_cast<int>(GetClassLongPtrA(b.hwnd, GCLP_HBRBACKGROUND)));
    EXPECT_EQ(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, static_cast<int>(GetClassLongPtrA(b.hwnd, GCL_STYLE)));
    DestroyWindow(a.hwnd);
    DestroyWindow(b.hwnd);
}

TEST_F(Lifecycle, TemplateDefaultsAndSystemClasses) {
    CountedWin top("KivoraTemplateWin");
    const WPCreateTemplate& t = createTemplate;
    EXPECT_EQ(UINT(CS_HREDRAW | CS_VREDRAW), t.classStyle);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(DefWindowProcA), t.classProc);
    EXPECT_EQ(wpApp.hinst, t.hinst);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(6), t.background);
    EXPECT_EQ(0u, t.style);
    EXPECT_EQ(0u, t.exStyle);
    EXPECT_EQ(int(CW_USEDEFAULT), t.left);
    EXPECT_EQ(int(CW_USEDEFAULT), t.height);
    EXPECT_EQ(nullptr, t.title);
    ASSERT_EQ(1, top.CreateTitled("Kivora title"));
    char text[32] = {};
    top.GetText(text, sizeof text);
    EXPECT_STREQ("Kivora title", text);

    // A system class is used as it is: an edit control bound as a child.
    WPWin edit("Edit", &top, reinterpret_cast<HMENU>(42));
    EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE), createTemplate.style);
    ASSERT_EQ(1, edit.Create());
    EXPECT_EQ(42, edit.GetId());
    EXPECT_EQ(&top, edit.GetParent());
    EXPECT_EQ(&edit, top.GetChild(42));
    EXPECT_TRUE(platform_.boxes.empty());
    DestroyWindow(top.hwnd);
    EXPECT_EQ(nullptr, edit.hwnd);
}

TEST_F(Lifecycle, ChildEnumerationSkipsUnboundChildren) {
    CountedWin parent;
    ASSERT_EQ(1, parent.Create());
    WPWin first("Button", &parent, reinterpret_cast<HMENU>(1));
    ASSERT_EQ(1, first.Create());
    CreateWindowExA(0, "Button", "raw", WS_CHILD, 0, 0, 5, 5, parent.hwnd,
                    reinterpret_cast<HMENU>(2), wpApp.hinst, nullptr);
    WPWin third("Button", &parent, reinterpret_cast<HMENU>(3));
    ASSERT_EQ(1, third.Create());
    EXPECT_EQ(2, parent.ChildCount());
    WPWin* c = parent.FirstChild();
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(1, c->GetId());
    c = c->NextSibling();
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(3, c->GetId());
    EXPECT_EQ(nullptr, c->NextSibling());
    DestroyWindow(parent.hwnd);
    EXPECT_EQ(0, parent.ChildCount());
}

TEST_F(Lifecycle, AttachRefusesABoundObjectAndANonWindow) {
    CountedWin win;
    win.Attach(reinterpret_cast<HWND>(0x7FFF0));
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"IsWindow(newhwnd)\""));
    EXPECT_EQ(nullptr, win.hwnd);

    ASSERT_EQ(1, win.Create());
    CountedWin other;
    ASSERT_EQ(1, other.Create());
    win.Attach(other.hwnd);
    ASSERT_EQ(2u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[1].text.find("\"hwnd==NULL\""));
    EXPECT_EQ(&other, WPWin::GetWin(other.hwnd));
    DestroyWindow(win.hwnd);
    DestroyWindow(other.hwnd);
}

TEST_F(Lifecycle, ManyBoundWindowsEachFindTheirOwnObjectAndDeadOnesNone) {
    // More windows than the lookup keeps at hand, so that entries share
    // places and push each other out.
    const int kCount = 150;
    std::vector<CountedWin*> wins;
    std::vector<HWND> handles;
    for (int i = 0; i < kCount; ++i) {
        CountedWin* win = new CountedWin;
        ASSERT_EQ(1, win->Create());
        wins.push_back(win);
        handles.push_back(win->hwnd);
    }
    for (int i = 0; i < kCount; ++i) EXPECT_EQ(wins[i], WPWin::GetWin(handles[i])) << i;

    for (int i = 0; i < kCount; i += 2) DestroyWindow(handles[i]);
    EXPECT_EQ(kCount / 2, destroyedObjects);
    for (int i = 1; i < kCount; i += 2) EXPECT_EQ(wins[i], WPWin::GetWin(handles[i])) << i;
    EXPECT_TRUE(platform_.boxes.empty());

    // A destroyed window's handle never leads to its deleted object.
    for (int i = 0; i < kCount; i += 2) EXPECT_EQ(nullptr, WPWin::GetWin(handles[i])) << i;
    EXPECT_EQ(size_t(kCount / 2), platform_.boxes.size());

    for (int i = 1; i < kCount; i += 2) DestroyWindow(handles[i]);
    EXPECT_EQ(kCount, destroyedObjects);
}

TEST_F(Lifecycle, GetWinChecksTheHandle) {
    EXPECT_EQ(nullptr, WPWin::GetWin(nullptr));
    EXPECT_TRUE(platform_.boxes.empty());
    EXPECT_EQ(nullptr, WPWin::GetWin(reinterpret_cast<HWND>(0x7FFF0)));
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"IsWindow(hwnd)\""));
    EXPECT_EQ("ASSERTION FAILURE", platform_.boxes[0].caption);
}

TEST_F(Lifecycle, MessageForAWindowWithoutObjectAssertsWinAndGetsDefault) {
    HWND raw = CreateWindowExA(0, "Static", "raw", 0, 0, 0, 10, 10, nullptr, nullptr, wpApp.hinst,
                               nullptr);
    ASSERT_NE(nullptr, raw);
    SetWindowLongPtrA(raw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WPWinProc));
    char text[8] = {};
    EXPECT_EQ(3, SendMessageA(raw, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)));
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"win\""));
    SetWindowLongPtrA(raw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    DestroyWindow(raw);
}

TEST_F(Lifecycle, CreateWithoutClassNameAssertsAndCreatesNothing) {
    const std::string tooLong(300, 'k');  // a class name the system refuses
    const struct {
        const char* className;
        const char* assertion;
    } rows[] = {{nullptr, "\"classnm\""}, {tooLong.c_str(), "\"ret\""}};
    for (const auto& row : rows) {
        platform_.boxes.clear();
        CountedWin win(row.className);
        EXPECT_EQ(0, win.Create());
        ASSERT_LE(1u, platform_.boxes.size()) << row.assertion;
        EXPECT_NE(std::string::npos, platform_.boxes[0].text.find(row.assertion)) << platform_.boxes[0].text;
        EXPECT_EQ(nullptr, win.hwnd);
    }
}

TEST_F(Lifecycle, PlainWindowKeepsNoOwnerDrawnItems) {
    CountedWin win;
    win.AddOwnerDraw(nullptr);
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_NE(std::string::npos, platform_.boxes[0].text.find("\"FALSE\""));
}

TEST_F(Lifecycle, MessagesDuringCreationReachNoHandler) {
    RecordingWin win("KivoraCreationWin");
    ASSERT_EQ(1, win.Create());
    for (const std::string& call : win.calls) {
        EXPECT_EQ(std::string::npos, call.find("OnOther " + std::to_string(WM_CREATE) + " "));
        EXPECT_EQ(std::string::npos, call.find("OnOther " + std::to_string(WM_NCCREATE) + " "));
    }
    DestroyWindow(win.hwnd);
}

TEST_F(Lifecycle, ForwardsActOnTheBoundWindow) {
    RecordingWin win("KivoraForwardWin");
    ASSERT_EQ(1, win.Create());
    win.answer = 0;  // text messages go on to default processing
    win.SetText("abc");
    EXPECT_EQ(3, win.GetTextLength());
    EXPECT_EQ(0, win.SendMsg(WM_USER + 1, 2, 3));
    EXPECT_EQ("OnOther " + std::to_string(WM_USER + 1) + " 2 3", win.Last());
    win.WarningBox("careful", MB_OKCANCEL);
    ASSERT_EQ(1u, platform_.boxes.size());
    EXPECT_EQ(win.hwnd, platform_.boxes[0].owner);
    EXPECT_EQ("Warning!", platform_.boxes[0].caption);
    EXPECT_EQ(UINT(MB_OKCANCEL | MB_ICONQUESTION), platform_.boxes[0].type);
    // The window lies away from the screen's origin, so a conversion that
    // did nothing (or the wrong way) would show.
    POINT origin = {0, 0};
    ::ClientToScreen(win.hwnd, &origin);
    ASSERT_TRUE(origin.x != 0 || origin.y != 0);
    WPPoint p(5, 6);
    EXPECT_TRUE(win.ClientToScreen(p));
    EXPECT_EQ(WPPoint(origin.x + 5, origin.y + 6), p);
    EXPECT_TRUE(win.ScreenToClient(p));
    EXPECT_EQ(WPPoint(5, 6), p);
    WPRect byWindow, byRect;
    // Neither at x == y nor square, so that a coordinate taken for another shows.
    ::SetWindowPos(win.hwnd, nullptr, 30, 70, 200, 120, SWP_NOZORDER);
    win.GetWindowRect(byWindow);
    byRect.SetWindow(&win);
    EXPECT_EQ(byWindow, byRect);
    EXPECT_EQ(WPRect(30, 70, 230, 190), byWindow);
    RECT raw;
    ::GetClientRect(win.hwnd, &raw);
    EXPECT_TRUE(win.GetClientRect(byRect));
    EXPECT_EQ(WPRect(0, 0, raw.right, raw.bottom), byRect);
    WPRect screen;
    screen.SetClient(nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen.Width());
    RecordingWin unborn("KivoraUnbornWin");  // no window made: the screen too
    screen.SetWindow(&unborn);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen.Width());
    DestroyWindow(win.hwnd);
    // A window that no longer is has no rectangles.
    EXPECT_FALSE(win.GetWindowRect(byWindow));
    EXPECT_FALSE(win.GetClientRect(byWindow));
}

TEST(Menu, AppendCheckEnableAndIds) {
    WPMenu menu;
    menu.CreatePopup();
    ASSERT_NE(nullptr, menu.hmenu);
    WPMenu sub;
    sub.CreatePopup();
    EXPECT_TRUE(menu.Append(MF_STRING, 601, "one"));
    EXPECT_TRUE(menu.AppendPopup(sub, "more"));
    EXPECT_EQ(601u, menu.ItemId(0));
    EXPECT_EQ(UINT(-1), menu.ItemId(1));  // a popup has no id
    menu.Check(601, 1);
    EXPECT_EQ(UINT(MF_CHECKED), GetMenuState(menu.hmenu, 601, MF_BYCOMMAND) & MF_CHECKED);
    menu.Check(601, 0);
    EXPECT_EQ(0u, GetMenuState(menu.hmenu, 601, MF_BYCOMMAND) & MF_CHECKED);
    menu.Enable(601, 0);
    EXPECT_EQ(UINT(MF_GRAYED), GetMenuState(menu.hmenu, 601, MF_BYCOMMAND) & MF_GRAYED);
    menu.Enable(601, 1);
    EXPECT_EQ(0u, GetMenuState(menu.hmenu, 601, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(WPMenu(menu.hmenu) == menu);
    EXPECT_TRUE(sub != menu);
    menu.Destroy();
    EXPECT_EQ(nullptr, menu.hmenu);
}
