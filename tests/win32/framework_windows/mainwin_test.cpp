// The main frame and tray windows under Wine: the save prompt, the standard
// save commands, the keyboard cursor, activation without a mouse, the tray
// icon record and the tray handler's menus.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "recording_platform.h"
#include "windows_test_support.h"
#include "wpfiledlg.h"
#include "wpglob.h"
#include "wpmainwin.h"
#include "wptraywin.h"

namespace {

// A document window whose document operations are recorded.
class DocWindow : public WPMainWin {
public:
    DocWindow() : WPMainWin("KivoraTestDocWindow") {
        keepRunning = 1;
        title = "Doc";
        Create();
    }
    std::vector<std::string> saves, loads;
    int saveResult = 1;
    int SaveDocument(const char* name) override {
        saves.push_back(name);
        return saveResult;
    }
    int LoadDocument(const char* name) override {
        loads.push_back(name);
        return 1;
    }
};

bool QuitPosted() {
    MSG message;
    return ::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST(SavePrompt, UnmodifiedWindowClosesWithoutPrompt) {
    UseTestModule();
    RecordingPlatform platform;
    auto* win = new DocWindow;
    HWND hwnd = win->hwnd;
    EXPECT_EQ(1, win->QuerySave());  // 1 to go on, exactly
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_FALSE(QuitPosted());  // keepRunning
}

TEST(SavePrompt, ModifiedUntitledAsksWithUntitledTextAndYesOpensSaveDialog) {
    UseTestModule();
    RecordingPlatform platform;
    auto* win = new DocWindow;
    HWND hwnd = win->hwnd;
    win->SetFileName("old.txt");
    win->SetFileName("");  // untitled again: the old name's bytes are no name
    win->SetModified(1);
    platform.answers.push_back(IDYES);  // save, then cancel the save dialog
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(::IsWindow(hwnd));  // cancelled save dialog keeps it open
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ("「無題」は更新されています。保存しますか？", platform.boxes[0].text);
    EXPECT_EQ("Doc", platform.boxes[0].caption);
    EXPECT_EQ(0x23u, platform.boxes[0].type);
    EXPECT_EQ(hwnd, platform.boxes[0].owner);
    EXPECT_EQ(1u, platform.beeps.size());
    ASSERT_EQ(1u, platform.fileCalls.size());
    const RecordingPlatform::FileCall& call = platform.fileCalls[0];
    EXPECT_TRUE(call.save);
    EXPECT_EQ(kOpenFileNameSize400, call.request.lStructSize);  // 76 on i686
    EXPECT_EQ(0x826u, call.request.Flags);
    EXPECT_EQ(hwnd, call.request.hwndOwner);
    EXPECT_EQ("Any File (*.*)|*.*", call.filter);
    EXPECT_EQ(1u, call.request.nFilterIndex);
    EXPECT_EQ(128u, call.request.nMaxFile);
    EXPECT_TRUE(win->saves.empty());

    // Yes again, and this time a name as long as the dialog takes is chosen:
    // saved under it whole.
    platform.answers.push_back(IDYES);
    platform.chosenFile = "C:\\" + std::string(124, 'd');
    win->fileFilter = "Text (*.txt)\0*.txt\0";
    EXPECT_EQ(1, win->QuerySave());
    EXPECT_EQ(std::vector<std::string>{platform.chosenFile}, win->saves);
    EXPECT_EQ("Text (*.txt)|*.txt", platform.fileCalls.back().filter);  // the window's own filter

    // Once more, and the window goes.
    platform.answers.push_back(IDYES);
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(SavePrompt, NamedDocumentAnswersNoAndCancel) {
    UseTestModule();
    RecordingPlatform platform;
    auto* win = new DocWindow;
    HWND hwnd = win->hwnd;
    win->SetFileName("a.txt");
    EXPECT_EQ("Doc a.txt", [&] { char t[64]; win->GetText(t, sizeof t); return std::string(t); }());
    win->SetModified(1);
    platform.answers = {IDCANCEL, IDNO, IDNO};
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ("a.txt は更新されています。保存しますか？", platform.boxes[0].text);
    EXPECT_EQ(1, win->QuerySave());  // No: go on unsaved, 1 exactly
    // The longest name the window holds is asked about whole.
    const std::string longest = "C:\\" + std::string(sizeof win->fileName - 4, 'n');
    win->SetFileName(longest.c_str());
    win->SetModified(1);
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    ASSERT_EQ(3u, platform.boxes.size());
    EXPECT_EQ(longest + " は更新されています。保存しますか？", platform.boxes[2].text);
    EXPECT_EQ((std::vector<UINT>(3, MB_OK)), platform.beeps);  // the plain beep before each question
    EXPECT_TRUE(platform.fileCalls.empty());
}

TEST(StandardCommands, SaveOnUntitledActsAsSaveAs) {
    UseTestModule();
    RecordingPlatform platform;
    DocWindow* win = new DocWindow;
    win->SetModified(1);
    platform.chosenFile = "C:\\chosen.txt";
    ::SendMessageA(win->hwnd, WM_COMMAND, kCmdSave, 0);
    ASSERT_EQ(1u, platform.fileCalls.size());
    EXPECT_TRUE(platform.fileCalls[0].save);
    ASSERT_EQ(1u, win->saves.size());
    EXPECT_EQ("C:\\chosen.txt", win->saves[0]);
    EXPECT_STREQ("C:\\chosen.txt", win->fileName);
    EXPECT_EQ(0, win->IsModified());
    char caption[64];
    win->GetText(caption, sizeof caption);
    EXPECT_STREQ("Doc C:\\chosen.txt", caption);

    // Titled now: save goes straight to the document, no dialog.
    win->SetModified(1);
    ::SendMessageA(win->hwnd, WM_COMMAND, kCmdSave, 0);
    EXPECT_EQ(1u, platform.fileCalls.size());
    EXPECT_EQ(2u, win->saves.size());
    EXPECT_EQ(0, win->IsModified());
    win->Destroy();
}

// With a status window, a menu selection shows the item's help there: the
// window is repainted, and an item without help leaves it empty.
TEST(MenuHelp, SelectionShowsTheItemsHelpInTheStatusWindow) {
    UseTestModule();
    struct HelpWindow : DocWindow {
        void GetMenuHelp(char* buffer, int item, HMENU) override {
            if (item) sprintf(buffer, "help %d", item);
        }
    };
    auto* win = new HelpWindow;
    EXPECT_EQ(0, win->OnMenuSelect(kCmdOpen, nullptr));  // no status window
    auto* bar = new WPWin("KivoraTestStatusBar", win);
    bar->Create();
    ::MoveWindow(bar->hwnd, 0, 0, 100, 20, FALSE);
    win->status = bar;
    win->Show(SW_SHOWNOACTIVATE);
    std::vector<std::string> shown;
    std::vector<bool> repainted;
    for (int item : {int(kCmdOpen), 0}) {
        ::ValidateRect(bar->hwnd, nullptr);
        ::SendMessageA(win->hwnd, WM_MENUSELECT, MAKEWPARAM(item, 0), 0);
        char text[32] = "";
        bar->GetText(text, sizeof text);
        shown.push_back(text);
        repainted.push_back(::GetUpdateRect(bar->hwnd, nullptr, FALSE) != 0);
    }
    EXPECT_EQ((std::vector<std::string>{"help 514", ""}), shown);
    EXPECT_EQ((std::vector<bool>{true, true}), repainted);
    EXPECT_EQ(1, win->OnMenuSelect(kCmdOpen, nullptr));
    win->Destroy();
}

// Opening a document loads it, names it and shows it in the caption; an
// empty name opens an untitled one without loading anything.
TEST(StandardCommands, OpenDocumentLoadsNamesAndShowsTheDocument) {
    UseTestModule();
    auto* win = new DocWindow;
    win->SetModified(1);
    win->OpenDocument("report.txt", "Editor");
    EXPECT_EQ(std::vector<std::string>{"report.txt"}, win->loads);
    EXPECT_STREQ("report.txt", win->GetFileName());
    EXPECT_EQ(0, win->IsModified());
    char caption[64];
    win->GetText(caption, sizeof caption);
    EXPECT_STREQ("Editor report.txt", caption);
    win->OpenDocument("", "Editor");
    EXPECT_EQ(1u, win->loads.size());
    win->GetText(caption, sizeof caption);
    EXPECT_STREQ("Editor (untitled)", caption);
    win->Destroy();
}

// The added operations do nothing by default and answer 0, so that a
// program overrides only what it uses.
TEST(StandardCommands, DefaultOperationsAnswerZero) {
    WPMainWin plain("KivoraTestPlainMain");  // never created
    plain.keepRunning = 1;
    WPPrintDlg print(nullptr);
    const std::vector<int> answers = {plain.OnIdle(), plain.NewDocument(), plain.LoadDocument("x"),
                                      plain.SaveDocument("x"), plain.PrintDocument(print), plain.OnEditCmd1(),
                                      plain.OnEditCmd2(), plain.OnEditCmd3(), plain.OnEditCmd4(),
                                      plain.OnEditCmd5(), plain.CanEdit1(), plain.CanEdit2(), plain.CanEdit3()};
    EXPECT_EQ(std::vector<int>(answers.size(), 0), answers);
}

// Each standard command does its work and answers 1 (handled) whatever the
// user chose; the edit commands answer what their handlers answer, other ids
// 0. The file dialogs get the window's filter.
TEST(StandardCommands, EachDoesItsWorkAndAnswersHandled) {
    UseTestModule();
    RecordingPlatform platform;  // every box answered OK
    struct EditingWindow : DocWindow {
        int OnEditCmd1() override { return 21; }
        int OnEditCmd2() override { return 22; }
        int OnEditCmd3() override { return 23; }
        int OnEditCmd4() override { return 24; }
        int OnEditCmd5() override { return 25; }
        int NewDocument() override { return 1; }
        int PrintDocument(WPPrintDlg&) override { return ++prints; }
        int prints = 0;
    };
    auto* win = new EditingWindow;
    win->fileFilter = "Text (*.txt)\0*.txt\0";
    std::vector<int> answers;
    platform.chosenFile = "C:\\" + std::string(kFileDlgNameSize - 8, 'o') + ".txt";  // as long as it takes
    answers.push_back(win->OnCommand(kCmdOpen, 0));
    EXPECT_EQ(std::vector<std::string>{platform.chosenFile}, win->loads);
    EXPECT_EQ(platform.chosenFile, win->fileName);
    answers.push_back(win->OnCommand(kCmdSave, 0));  // under the name it has
    answers.push_back(win->OnCommand(kCmdNew, 0));
    EXPECT_STREQ("", win->fileName);
    platform.chosenFile.clear();  // the save dialogs are cancelled
    platform.printConfirmed = TRUE;
    for (int id : std::initializer_list<int>{kCmdSave, kCmdSaveAs, kCmdPrint, kCmdHeapReport, kCmdEdit1,
                                             kCmdEdit2, kCmdEdit3, kCmdEdit4, kCmdEdit5, 999})
        answers.push_back(win->OnCommand(id, 0));
    EXPECT_EQ(1, win->prints);
    ASSERT_EQ(1u, platform.boxes.size());  // the heap report
    for (const auto& call : platform.fileCalls) EXPECT_EQ("Text (*.txt)|*.txt", call.filter);
    wpApp.hinst = ::GetModuleHandleA("kernel32.dll");  // no About template: a beep, no box to wait for
    answers.push_back(win->OnCommand(kCmdAbout, 0));
    UseTestModule();
    // No template: the missing dialog is reported, then the About command beeps.
    ASSERT_EQ(3u, platform.boxes.size());
    EXPECT_EQ("Couldn't load dialog: DLGABOUT.", platform.boxes[1].text);
    EXPECT_EQ(2u, platform.beeps.size());
    answers.push_back(win->OnCommand(kCmdClose, 0));
    EXPECT_FALSE(::IsWindow(win->hwnd));  // closed through WM_CLOSE
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1, 1, 1, 21, 22, 23, 24, 25, 0, 1, 1}), answers);
}

TEST(StandardCommands, FailedSaveKeepsNameAndModifiedFlag) {
    UseTestModule();
    RecordingPlatform platform;
    DocWindow* win = new DocWindow;
    win->SetFileName("old.txt");
    win->SetModified(1);
    win->saveResult = 0;
    platform.chosenFile = "C:\\new.txt";
    ::SendMessageA(win->hwnd, WM_COMMAND, kCmdSaveAs, 0);
    EXPECT_STREQ("old.txt", win->fileName);
    EXPECT_EQ(1, win->IsModified());
    win->Destroy();
}

TEST(StandardCommands, DestroyWithoutKeepRunningPostsQuit) {
    UseTestModule();
    DocWindow* win = new DocWindow;
    win->keepRunning = 0;
    win->Destroy();
    EXPECT_TRUE(QuitPosted());
}

class CursorWindow : public WPMainWin {
public:
    CursorWindow() : WPMainWin("KivoraTestCursorWindow") {
        keepRunning = 1;
        createTemplate.left = 100;
        createTemplate.top = 100;
        createTemplate.width = 300;
        createTemplate.height = 200;
        Create();
        Show(SW_SHOWNORMAL);
        Update();
        Pump();  // let the window settle where it is shown
    }
};

// The pointer's place as the recording platform holds it, in client terms.
WPPoint ClientCursor(const RecordingPlatform& platform, WPWin* win) {
    WPPoint at(platform.cursor.x, platform.cursor.y);
    win->ScreenToClient(at);
    return at;
}

void MovePointer(RecordingPlatform& platform, WPWin* win, WPPoint clientPoint) {
    win->ClientToScreen(clientPoint);
    platform.cursor = POINT{clientPoint.x, clientPoint.y};
}

void KeyDown(WPWin* win, WPARAM key, int repeat = 1) {
    ::SendMessageA(win->hwnd, WM_KEYDOWN, key, repeat);
}

TEST(KeyboardCursor, FirstPressMovesTwoPixelsAndFasterWhileHeld) {
    UseTestModule();
    RecordingPlatform platform;
    auto* win = new CursorWindow;
    MovePointer(platform, win, WPPoint(50, 40));
    KeyDown(win, VK_RIGHT);
    EXPECT_EQ(WPPoint(52, 40), ClientCursor(platform, win));
    KeyDown(win, VK_DOWN);  // auto-repeat: step 3
    EXPECT_EQ(WPPoint(52, 43), ClientCursor(platform, win));
    ::SendMessageA(win->hwnd, WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(1, win->cursorStep);
    KeyDown(win, VK_LEFT);
    EXPECT_EQ(WPPoint(50, 43), ClientCursor(platform, win));
    // An arrow key is handled; other keys, releases and characters go on to the default.
    WPMsg arrow = {WM_KEYDOWN, VK_UP, 1, 0}, other = {WM_KEYDOWN, 'A', 1, 0}, release = {WM_KEYUP, VK_UP, 1, 0},
          character = {WM_CHAR, 'a', 1, 0};
    EXPECT_EQ(1, win->OnKey(arrow));
    EXPECT_EQ(0, win->OnKey(other));
    EXPECT_EQ(0, win->OnKey(release));
    EXPECT_EQ(0, win->OnKey(character));
    win->Destroy();
}

TEST(KeyboardCursor, NeverLeavesTheClientArea) {
    UseTestModule();
    RecordingPlatform platform;
    auto* win = new CursorWindow;
    WPRect client;
    win->GetClientRect(client);
    MovePointer(platform, win, WPPoint(client.right - 3, client.bottom - 3));
    for (int i = 0; i < 10; ++i) KeyDown(win, VK_RIGHT, 5);
    for (int i = 0; i < 10; ++i) KeyDown(win, VK_DOWN, 5);
    EXPECT_EQ(WPPoint(client.right - 1, client.bottom - 1), ClientCursor(platform, win));
    for (int i = 0; i < 40; ++i) KeyDown(win, VK_LEFT, 50);
    for (int i = 0; i < 40; ++i) KeyDown(win, VK_UP, 50);
    EXPECT_EQ(WPPoint(0, 0), ClientCursor(platform, win));
    // Other keys speed up the cursor too but do not move it.
    ::SendMessageA(win->hwnd, WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(0, static_cast<int>(::SendMessageA(win->hwnd, WM_KEYDOWN, 'A', 1)));
    EXPECT_EQ(2, win->cursorStep);
    EXPECT_EQ(WPPoint(0, 0), ClientCursor(platform, win));
    win->Destroy();
}

TEST(Activation, WithoutMouseShowsCursorWhileActive) {
    UseTestModule();
    RecordingPlatform platform;
    DocWindow* win = new DocWindow;
    platform.mousePresent = FALSE;
    win->Show(SW_SHOWNORMAL);
    ::SetActiveWindow(win->hwnd);
    EXPECT_EQ(win->hwnd, ::GetFocus());
    ASSERT_FALSE(platform.cursorShows.empty());
    EXPECT_TRUE(platform.cursorShows.front());
    size_t calls = platform.cursorShows.size();
    ::SendMessageA(win->hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0);  // minimized
    EXPECT_EQ(calls, platform.cursorShows.size());
    // Another window takes the activation: the cursor is hidden again.
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                   nullptr, nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    EXPECT_FALSE(platform.cursorShows.back());
    int shown = 0;
    for (BOOL show : platform.cursorShows) shown += show ? 1 : -1;
    EXPECT_EQ(0, shown);  // every show has its hide
    calls = platform.cursorShows.size();
    platform.mousePresent = TRUE;
    ::SetActiveWindow(win->hwnd);
    ::SetActiveWindow(other);
    EXPECT_EQ(calls, platform.cursorShows.size());
    ::DestroyWindow(other);
    win->Destroy();
}

// The cursor object answers to the same seam as the frame window, so that a
// test (or a program without a mouse) sees every show, hide and move.
TEST(CursorObject, ShowHideAndPlaceGoThroughThePlatform) {
    RecordingPlatform platform;
    platform.cursor = POINT{12, 34};
    theCursor.Show();
    theCursor.Hide();
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), platform.cursorShows);
    WPPoint at;
    EXPECT_TRUE(theCursor.GetPos(at));
    EXPECT_EQ(WPPoint(12, 34), at);
    platform.cursorResult = FALSE;
    EXPECT_FALSE(theCursor.GetPos(at));
    theCursor.SetPos(WPPoint(5, 6));
    ASSERT_EQ(1u, platform.cursorMoves.size());
    EXPECT_EQ(5, platform.cursorMoves[0].x);
    EXPECT_EQ(6, platform.cursorMoves[0].y);
    EXPECT_TRUE(theCursor.IsArrowKey(VK_LEFT));
    EXPECT_FALSE(theCursor.IsArrowKey(VK_HOME));

    // The pointer is held to a window's client area on the screen, and a
    // window object without a window holds it nowhere.
    UseTestModule();
    WPMainWin unmade("KivoraTestUnmadeWindow");
    RECT free = {}, clip = {};
    ::GetClipCursor(&free);
    EXPECT_FALSE(theCursor.ClipTo(&unmade));
    EXPECT_FALSE(theCursor.ClipTo(nullptr));  // after its assertion
    ::GetClipCursor(&clip);
    EXPECT_TRUE(::EqualRect(&free, &clip)) << "clipped to " << clip.left << "," << clip.top;
    auto* win = new CursorWindow;
    EXPECT_TRUE(theCursor.ClipTo(win));
    RECT client = {};
    ::GetClientRect(win->hwnd, &client);
    ::MapWindowPoints(win->hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::GetClipCursor(&clip);
    ::ClipCursor(nullptr);
    EXPECT_TRUE(::EqualRect(&client, &clip)) << "clipped to " << clip.left << "," << clip.top;
    win->Destroy();
}

// A tray window that notes which popup menu opened and closes it at once.
class TestTray : public WPTrayWin {
public:
    TestTray() {
        keepRunning = 1;
        Create();
        leftMenu.Append(MF_STRING, 40001, "left");
        rightMenu.Append(MF_STRING, 40002, "right");
    }
    std::vector<HMENU> opened;
    std::vector<RECT> shownAt;  // where each menu appeared on the screen
    int OnOther(WPMsg& msg) override {
        if (msg.msg == WM_INITMENUPOPUP) opened.push_back(reinterpret_cast<HMENU>(msg.wParam));
        if (msg.msg == WM_ENTERIDLE) {
            RECT menu = {};
            ::GetWindowRect(::FindWindowA("#32768", nullptr), &menu);
            shownAt.push_back(menu);
            ::EndMenu();
        }
        return WPTrayWin::OnOther(msg);
    }
};

TEST(TrayIcon, RecordAndTipCutTo63Characters) {
    UseTestModule();
    RecordingPlatform platform;
    auto* tray = new TestTray;
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    std::string tip(70, 'x');
    EXPECT_TRUE(tray->AddTrayIcon(5, icon, tip.c_str()));
    EXPECT_TRUE(tray->ModifyTrayIcon(5, icon, nullptr));
    ::SendMessageA(tray->hwnd, WM_NULL, 0, 0);  // not the shell's restart: no icon call
    platform.iconResult = FALSE;
    EXPECT_FALSE(tray->DeleteTrayIcon(5));
    ASSERT_EQ(3u, platform.iconCalls.size());
    const NOTIFYICONDATAA& add = platform.iconCalls[0].data;
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), platform.iconCalls[0].message);
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), add.cbSize);  // 88 on i686
    EXPECT_EQ(tray->hwnd, add.hWnd);
    EXPECT_EQ(5u, add.uID);  // not 1, which is also NIM_MODIFY
    EXPECT_EQ(7u, add.uFlags);
    EXPECT_EQ(1010u, add.uCallbackMessage);
    EXPECT_EQ(icon, add.hIcon);
    EXPECT_EQ(std::string(63, 'x'), add.szTip);
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), platform.iconCalls[1].message);
    EXPECT_EQ(5u, platform.iconCalls[1].data.uID);
    EXPECT_STREQ("", platform.iconCalls[1].data.szTip);
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), platform.iconCalls[2].message);
    EXPECT_STREQ("", platform.iconCalls[2].data.szTip);
    tray->Destroy();
}

TEST(TrayIcon, RealShellTakesTheIcon) {
    UseTestModule();
    auto* tray = new TestTray;
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    BOOL added = FALSE;
    // The shell's tray may come up late after a fresh prefix: retry briefly.
    for (int i = 0; i < 20 && !added; ++i) {
        added = tray->AddTrayIcon(7, icon, "Kivora test");
        if (!added) Pump(100);
    }
    EXPECT_TRUE(added);
    EXPECT_TRUE(tray->DeleteTrayIcon(7));
    tray->Destroy();
}

// The shell restarted: which icons does the window add again?
TEST(TrayIcon, ANewTaskbarGetsBackOnlyTheIconsTheProgramShows) {
    UseTestModule();
    const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    HICON first = ::LoadIconA(nullptr, IDI_APPLICATION);
    HICON second = ::LoadIconA(nullptr, IDI_QUESTION);
    struct Case {
        const char* fault;  // what a failing case would mean
        void (*steps)(WPTrayWin& tray, HICON first, HICON second);
        std::vector<UINT> expectedIds;
    } cases[] = {
        {"a shown icon is lost, or comes back with its first icon and tip",
         [](WPTrayWin& t, HICON a, HICON b) {
             t.AddTrayIcon(1, a, "first tip");
             t.ModifyTrayIcon(1, b, "second tip");
         },
         {1}},
        {"an icon the user hid comes back, even after a later modify",
         [](WPTrayWin& t, HICON a, HICON) {
             t.AddTrayIcon(1, a, "tip");
             t.DeleteTrayIcon(1);
             t.ModifyTrayIcon(1, a, "tip");
         },
         {}},
        {"an icon never added appears", [](WPTrayWin& t, HICON a, HICON) { t.ModifyTrayIcon(1, a, "tip"); }, {}},
        {"the first place is never taken, so the last icon that fits is lost; or one past them is kept",
         [](WPTrayWin& t, HICON a, HICON) {
             static_assert(WPTrayWin::kMaxTrayIcons == 4, "one icon more than it keeps");
             for (UINT id = 1; id <= 5; ++id) t.AddTrayIcon(id, a, "tip");
         },
         {1, 2, 3, 4}},
        {"the wrong one of two icons comes back",
         [](WPTrayWin& t, HICON a, HICON b) {
             t.AddTrayIcon(1, a, "one");
             t.AddTrayIcon(2, b, "two");
             t.DeleteTrayIcon(1);
         },
         {2}},
    };
    for (const Case& c : cases) {
        RecordingPlatform platform;
        auto* tray = new TestTray;
        c.steps(*tray, first, second);
        size_t before = platform.iconCalls.size();
        ::SendMessageA(tray->hwnd, taskbarCreated, 0, 0);
        std::vector<UINT> added;
        for (size_t i = before; i < platform.iconCalls.size(); ++i) {
            const RecordingPlatform::IconCall& call = platform.iconCalls[i];
            EXPECT_EQ(static_cast<DWORD>(NIM_ADD), call.message) << c.fault;
            EXPECT_EQ(tray->hwnd, call.data.hWnd) << c.fault;
            EXPECT_EQ(1010u, call.data.uCallbackMessage) << c.fault;
            EXPECT_STRNE("", call.data.szTip) << c.fault;  // every icon here was added with a tip
            added.push_back(call.data.uID);
        }
        EXPECT_EQ(c.expectedIds, added) << c.fault;
        if (c.expectedIds == std::vector<UINT>{1}) {
            EXPECT_EQ(second, platform.iconCalls.back().data.hIcon) << c.fault;
            EXPECT_STREQ("second tip", platform.iconCalls.back().data.szTip) << c.fault;
        }
        tray->Destroy();
    }
}

TEST(TrayIcon, AnIconTheShellCouldNotTakeYetComesWithTheTaskbar) {
    UseTestModule();
    RecordingPlatform platform;
    platform.iconResult = FALSE;  // started before the shell
    auto* tray = new TestTray;
    tray->AddTrayIcon(1, ::LoadIconA(nullptr, IDI_APPLICATION), "tip");
    platform.iconResult = TRUE;
    ::SendMessageA(tray->hwnd, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(2u, platform.iconCalls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), platform.iconCalls[1].message);
    tray->Destroy();
}

TEST(TrayHandler, ButtonsOpenTheirMenusAndOtherNotificationsAreSwallowed) {
    UseTestModule();
    RecordingPlatform platform;
    platform.cursor = POINT{120, 260};  // the menus open where the pointer is
    auto* tray = new TestTray;
    LRESULT result =
        ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_RBUTTONDOWN);
    EXPECT_EQ(0, result);
    ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_LBUTTONDOWN);
    ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_LBUTTONDBLCLK);
    ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_RBUTTONUP);
    ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_MOUSEMOVE);
    EXPECT_EQ((std::vector<HMENU>{tray->rightMenu.hmenu, tray->leftMenu.hmenu}), tray->opened);
    ASSERT_EQ(2u, tray->shownAt.size());
    for (const RECT& menu : tray->shownAt) {
        EXPECT_EQ(120, menu.left);
        EXPECT_EQ(260, menu.top);
    }
    tray->Destroy();
}

TEST(TrayHandler, APressOverAnOpenDialogRaisesItAndOpensNoMenu) {
    UseTestModule();
    auto* tray = new TestTray;
    HWND elsewhere = ::CreateWindowExA(0, "Static", "elsewhere", WS_POPUP | WS_VISIBLE, 300, 300,
                                       40, 40, nullptr, nullptr, nullptr, nullptr);
    HWND foregroundAfterPress = nullptr, dialogWindow = nullptr;
    ScriptedDialog dialog("TESTDLG", nullptr, nullptr, tray);
    dialog.script = [&](ScriptedDialog& d) {
        ::SetForegroundWindow(elsewhere);
        ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_LBUTTONDOWN);
        ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_RBUTTONDOWN);
        foregroundAfterPress = ::GetForegroundWindow();
        dialogWindow = d.hwnd;
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    EXPECT_TRUE(tray->opened.empty()) << "a menu over the dialog could close the window under it";
    EXPECT_EQ(dialogWindow, foregroundAfterPress) << "the dialog was not brought forward";
    // Once the dialog is gone the menu opens again.
    ::SendMessageA(tray->hwnd, kTrayMessage, 1, WM_LBUTTONDOWN);
    EXPECT_EQ(std::vector<HMENU>{tray->leftMenu.hmenu}, tray->opened);
    ::DestroyWindow(elsewhere);
    tray->Destroy();
}

}  // namespace
