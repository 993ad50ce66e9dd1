// lofter.exe under Wine, driven only from outside: it starts Wine's Notepad,
// and the tests read where the window went, the boxes lofter shows, its
// exit code and the registry.
#include "harness.h"
#include "lofter_keys.h"
#include "openslow.h"
#include "usage_texts.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <functional>
#include <string>

namespace {

// Notepad opens where it was last closed; without its settings it opens
// where no test places it.
const char kNotepadKey[] = "Software\\Microsoft\\Notepad";

// The user's branch of lofter's keys is removed from its vendor level down:
// a volatile level left behind would refuse every later lasting key.
const char kZorvaUserKey[] = "Software\\Zorva";

// Long enough for Notepad to be in the foreground on a busy machine (2 s
// once fell short with both cores loaded).
const char kTestDelay[] = "3000";

const DWORD kStartMs = 10000;   // Notepad's window appears
const DWORD kPlacedMs = 6000;   // capture delay and placement
const DWORD kExitMs = 6000;
const UINT kTrayCallback = 1010;

std::vector<HWND> Notepads() {
    e2e::WindowQuery query;
    query.className = "Notepad";
    return e2e::FindWindows(query);
}

// The stored text, once it is expected (lofter stores it after the dialog
// has gone), or what the key held at the time-out.
std::string WaitForStoredText(HKEY root, const char* key, const std::string& expected) {
    DWORD start = GetTickCount();
    for (;;) {
        std::string text = e2e::ReadRegistryText(root, key).value_or("<missing>");
        if (text == expected || GetTickCount() - start >= 3000) return text;
        e2e::PumpFor(20);
    }
}

// Polls until done() holds, at most timeoutMs.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        e2e::PumpFor(20);
    }
    return true;
}

// "left,top widthxheight"
std::string Placement(HWND window) {
    const RECT r = e2e::WindowRect(window);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file) << path;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

void MoveWindowTo(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A folder of more than 150 characters with blanks in its names, holding a
// copy of Wine's Notepad (under its own name, which Wine goes by) and a
// response file that starts it from there. Naming both makes a line of
// over 300 characters.
const char kLongFolder[] =
    "C:\\Kivora long path test\\a folder with blanks in its name\\and one more level of folders"
    "\\so that the whole path is longer than a hundred and fifty characters";
const std::string kLongNotepad = std::string(kLongFolder) + "\\notepad.exe";
const std::string kLongResponseFile = std::string(kLongFolder) + "\\place notepad.rsp";

bool PrepareLongFolder() {
    std::string folder;
    for (const char* p = kLongFolder; *p; ++p) {
        if (*p == '\\' && folder.size() > 2) CreateDirectoryA(folder.c_str(), nullptr);
        folder += *p;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    const std::string rsp = "x=140,y=100,e=\"" + kLongNotepad + "\",f=\"" + kLongFolder + "\" ignored.txt\r\n";
    HANDLE file = CreateFileA(kLongResponseFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool wrote = file != INVALID_HANDLE_VALUE && WriteFile(file, rsp.data(), rsp.size(), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return CopyFileA((std::string(system) + "\\notepad.exe").c_str(), kLongNotepad.c_str(), FALSE) && wrote;
}

// A volatile key (and its missing levels) holding text: the platform refuses
// a lasting key below it, as Windows refuses a standard user the default
// profile.
bool WriteVolatileText(HKEY root, const char* path, const char* text) {
    HKEY key;
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

class Lofter : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::CloseWindowsOfClass("Notepad");
        ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey));
        ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_USERS, e2e::kLofterKey));
        ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kZorvaUserKey));
        ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterDelayKey, kTestDelay));
    }
    void TearDown() override {
        if (program.IsRunning()) program.WaitForExit(0);
        e2e::CloseWindowsOfClass("Notepad");
        e2e::DeleteRegistryTree(HKEY_USERS, e2e::kLofterKey);
        e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kZorvaUserKey);
    }

    void Start(const std::string& tail) {
        ASSERT_TRUE(program.Start(e2e::BesideTests("lofter.exe"), tail));
    }

    // The Notepad window lofter started.
    HWND WaitForNotepad() {
        e2e::WindowQuery query;
        query.className = "Notepad";
        query.visibleOnly = true;
        return e2e::WaitForWindow(query, kStartMs);
    }

    // lofter's hidden main window, which takes the tray's messages.
    HWND MainWindow() {
        e2e::WindowQuery query;
        query.className = "MAINWIN";
        query.processId = program.Id();
        return e2e::WaitForWindow(query, kStartMs);
    }

    // lofter's open popup menus (the tray menu).
    e2e::WindowQuery Menus() const {
        e2e::WindowQuery query;
        query.className = "#32768";
        query.processId = program.Id();
        query.visibleOnly = true;
        return query;
    }

    // A settings dialog of lofter's, told apart by one of its controls.
    HWND WaitForDialog(int controlId) { return e2e::WaitForDialogWith(program.Id(), controlId, kStartMs); }

    // A resident lofter with Notepad placed top-most at 100,80.
    HWND StartResident(const std::string& extra = "") {
        Start("x=100,y=80,z=TOP" + extra + ",e=notepad.exe");
        HWND notepad = WaitForNotepad();
        EXPECT_NE(nullptr, notepad);
        EXPECT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, kPlacedMs));
        EXPECT_TRUE(e2e::IsTopMost(notepad));
        EXPECT_TRUE(program.IsRunning());
        return notepad;
    }

    e2e::Program program;
};

// Placements after which lofter ends at once, leaving the window as placed.
struct EndingCase {
    const char* fault;
    std::string tail;
    int x, y, w, h;  // -1: not checked (w, h: the size lofter found)
    bool topMost;
    bool maximized;
    bool maximizeFirst = false;  // Notepad is maximized before the capture
};

TEST_F(Lofter, PlacementsThatEndTheRun) {
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    const EndingCase cases[] = {
        {"plain move not applied or lofter not ending", "x=100,y=80,e=notepad.exe", 100, 80, -1, -1, false, false},
        {"size ignored with the move", "x=120,y=90,w=400,h=250,e=notepad.exe", 120, 90, 400, 250, false, false},
        {"negative coordinates not counted from the far edges", "x=-400,y=-300,e=notepad.exe",
         screen.right - 400, screen.bottom - 300, -1, -1, false, false},
        {"m=1 not the primary screen", "m=1,x=-400,y=-300,e=notepad.exe", screen.right - 400,
         screen.bottom - 300, -1, -1, false, false},
        {"a maximized window left maximized or at its old size", "x=50,y=60,w=400,h=300,e=notepad.exe", 50, 60,
         400, 300, false, false, true},
        {"t word's separator ignored", "t=; x=50;y=60;e=notepad.exe", 50, 60, -1, -1, false, false},
        {"q=ON undoing top-most or staying", "x=70,y=40,z=TOP,q=ON,e=notepad.exe", 70, 40, -1, -1, true, false},
        {"s=2 window placed or left top-most", "s=2,x=10,y=10,z=TOP,e=notepad.exe", -1, -1, -1, -1, false, true},
        {"a quoted path of over 100 characters with blanks cut or not started",
         "x=130,y=70,e=\"" + kLongNotepad + "\",f=\"" + kLongFolder + "\"", 130, 70, -1, -1, false, false},
        {"a quoted path in a response file cut or not started", "r=" + kLongResponseFile, 140, 100, -1, -1, false,
         false},
    };
    ASSERT_TRUE(PrepareLongFolder());
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(c.fault);
        Start(c.tail);
        HWND notepad = WaitForNotepad();
        ASSERT_NE(nullptr, notepad);
        if (c.maximizeFirst) {
            PostMessageA(notepad, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            ASSERT_TRUE(WaitUntil([&] { return IsZoomed(notepad) != FALSE; }, kStartMs));
        }
        EXPECT_EQ(0u, program.WaitForExit(kPlacedMs + kExitMs).value_or(0xDEAD));
        RECT r = e2e::WindowRect(notepad);
        if (c.x >= 0) {
            EXPECT_EQ(c.x, r.left);
        }
        if (c.y >= 0) {
            EXPECT_EQ(c.y, r.top);
        }
        if (c.w >= 0) {
            EXPECT_EQ(c.w, r.right - r.left);
            EXPECT_EQ(c.h, r.bottom - r.top);
        }
        EXPECT_EQ(c.topMost, e2e::IsTopMost(notepad));
        EXPECT_EQ(c.maximized, IsZoomed(notepad) != FALSE);
        e2e::CloseWindowsOfClass("Notepad");
    }
}

// openslow started by lofter while Notepad, started by the test, stays in
// the foreground; each row places at 100,80, 300x200.
struct NewWindowCase {
    const char* fault;
    const char* items;      // before x=100,...
    const char* openslow;   // its arguments: splash ms, main window ms later, tool
    bool notepadTaken;      // else openslow's main window
};

TEST_F(Lofter, CaptureOfTheProgramsOwnWindow) {
    const NewWindowCase cases[] = {
        {"c=NEW: Notepad in front taken instead of the window after the splash", "c=NEW,", "500 0", false},
        {"without c=NEW not the window in the foreground as ever", "", "500 0", true},
        {"c=NEW: no wait for a window that comes 2.5 s after the delay", "c=NEW,", "0 5500", false},
        {"c=NEW: a tool window taken", "c=NEW,", "0 1000 tool", false},
        {"c=NEW: the foreground window not taken once 10 s have passed without a new one", "c=NEW,", "0 -1",
         true},
    };
    const std::string place = "x=100,y=80,w=300,h=200,e=\"" + e2e::BesideTests("openslow.exe") + "\" ";
    for (const NewWindowCase& c : cases) {
        SCOPED_TRACE(c.fault);
        e2e::Program notepadProgram;
        ASSERT_TRUE(notepadProgram.Start("C:\\windows\\system32\\notepad.exe", ""));
        HWND notepad = WaitForNotepad();
        ASSERT_NE(nullptr, notepad);
        MoveWindowTo(notepad, 500, 400);
        SetForegroundWindow(notepad);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad; }, kStartMs));
        const std::string notepadBefore = Placement(notepad);

        Start(c.items + place + c.openslow);
        const bool waitsTenSeconds = c.notepadTaken && *c.items;
        EXPECT_EQ(0u, program.WaitForExit(kPlacedMs + kExitMs + (waitsTenSeconds ? 10000 : 0)).value_or(0xDEAD));
        e2e::WindowQuery query;
        query.className = openslow::kMainClass;
        const std::vector<HWND> mains = e2e::FindWindows(query);
        HWND main = mains.empty() ? nullptr : mains[0];
        const std::string mainUnplaced = std::to_string(openslow::kMainX) + "," + std::to_string(openslow::kMainY) +
                                         " " + std::to_string(openslow::kMainW) + "x" +
                                         std::to_string(openslow::kMainH);
        if (c.notepadTaken) {
            EXPECT_EQ("100,80 300x200", Placement(notepad));
            if (main) {
                EXPECT_EQ(mainUnplaced, Placement(main)) << "openslow's window moved too";
            }
        } else {
            ASSERT_NE(nullptr, main);
            EXPECT_EQ("100,80 300x200", Placement(main)) << "openslow's window not placed";
            EXPECT_EQ(notepadBefore, Placement(notepad)) << "Notepad moved";
        }
        e2e::CloseWindowsOfClass(openslow::kMainClass);
        e2e::CloseWindowsOfClass(openslow::kToolClass);
        // An openslow that never shows its main window would otherwise live on for two minutes.
        e2e::CloseWindowsOfClass(openslow::kHiddenClass);
        e2e::CloseWindowsOfClass("Notepad");
    }
}

// The desktop and the taskbar in the foreground when the capture falls due
// are passed over until another window is in front.
TEST_F(Lofter, ShellWindowsAreNeverCaptured) {
    e2e::WindowQuery taskbarQuery;
    taskbarQuery.className = "Shell_TrayWnd";
    const std::vector<HWND> taskbars = e2e::FindWindows(taskbarQuery);
    ASSERT_FALSE(taskbars.empty()) << "no taskbar: the prefix has no shell desktop";
    const struct {
        const char* fault;
        HWND shellWindow;
    } cases[] = {
        {"the taskbar captured", taskbars[0]},
        {"the desktop captured", GetDesktopWindow()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const DWORD started = GetTickCount();
        Start("x=100,y=80,e=notepad.exe");
        HWND notepad = WaitForNotepad();
        ASSERT_NE(nullptr, notepad);
        const DWORD notepadShownMs = GetTickCount() - started;
        const RECT shellBefore = e2e::WindowRect(c.shellWindow);
        SetForegroundWindow(c.shellWindow);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == c.shellWindow; }, kStartMs));
        // Until a second past the capture delay. Notepad's own activation can
        // arrive late and take the foreground back; the shell's window is put
        // in front again, as the case is about what lofter does with it.
        WaitUntil(
            [&] {
                if (GetForegroundWindow() != c.shellWindow) SetForegroundWindow(c.shellWindow);
                return GetTickCount() - started >= DWORD(atoi(kTestDelay)) + 1000;
            },
            kPlacedMs);
        EXPECT_TRUE(program.IsRunning()) << "something was placed (Notepad shown after " << notepadShownMs << " ms)";
        const RECT shellNow = e2e::WindowRect(c.shellWindow);
        EXPECT_TRUE(EqualRect(&shellBefore, &shellNow)) << "the shell's window was moved";
        SetForegroundWindow(notepad);
        EXPECT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, kPlacedMs));
        EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
        e2e::CloseWindowsOfClass("Notepad");
        e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey);
    }
}

TEST_F(Lofter, TopMostStaysResidentAndEndsSoonAfterTheTargetCloses) {
    HWND notepad = StartResident();
    e2e::PumpFor(800);
    ASSERT_TRUE(program.IsRunning());
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(notepad, 5000));
    EXPECT_EQ(0u, program.WaitForExit(1500).value_or(0xDEAD));
}

TEST_F(Lofter, EndFromTheMenuUndoesTopMost) {
    HWND notepad = StartResident();
    HWND main = MainWindow();
    ASSERT_NE(nullptr, main);
    PostMessageA(main, WM_COMMAND, 512, 0);
    EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
    EXPECT_FALSE(e2e::IsTopMost(notepad));
    const RECT r = e2e::WindowRect(notepad);
    EXPECT_EQ(100, r.left) << "undoing top-most moved the window";
    EXPECT_EQ(80, r.top);
}

TEST_F(Lofter, AutoReturnPutsAMovedWindowBackWithinTheInterval) {
    ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterIntervalKey, "200"));
    // Notepad opens at 200,150 400x300: the rectangle lofter finds before placing it.
    for (const auto& [name, value] : {std::pair<const char*, DWORD>{"iWindowPosX", 200}, {"iWindowPosY", 150},
                                      {"iWindowPosDX", 400}, {"iWindowPosDY", 300}})
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kNotepadKey, name, REG_DWORD, &value, sizeof value));
    Start("x=100,y=80,a=ON,e=notepad.exe");
    HWND notepad = WaitForNotepad();
    ASSERT_NE(nullptr, notepad);
    ASSERT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, kPlacedMs));
    MoveWindowTo(notepad, 300, 250);
    EXPECT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, 1000));
    EXPECT_TRUE(program.IsRunning());
    // It takes up again once a settings dialog, placement or timing, is closed.
    HWND main = MainWindow();
    ASSERT_NE(nullptr, main);
    for (WPARAM settingsDialog : {12, 13}) {
        PostMessageA(main, WM_COMMAND, settingsDialog, 0);
        HWND dialog = WaitForDialog(0);
        ASSERT_NE(nullptr, dialog);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(e2e::WaitForWindowGone(dialog, 5000));
        MoveWindowTo(notepad, 300, 250);
        EXPECT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, 1000)) << "not after dialog " << settingsDialog;
    }
    // A window that shares some edges with where it was found is still moved.
    const struct {
        const char* fault;
        RECT rect;
    } sharedEdges[] = {
        {"same left and top taken for the same place", {200, 150, 650, 500}},
        {"same right and bottom taken for the same place", {150, 100, 600, 450}},
    };
    for (const auto& c : sharedEdges) {
        SetWindowPos(notepad, nullptr, c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                     c.rect.bottom - c.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, 1000)) << c.fault;
    }
}

TEST_F(Lofter, StoredCaptureDelayIsHonoured) {
    ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterDelayKey, "2500"));
    DWORD started = GetTickCount();
    Start("x=200,y=150,e=notepad.exe");
    HWND notepad = WaitForNotepad();
    ASSERT_NE(nullptr, notepad);
    // Notepad opens elsewhere; until 2.5 s have passed it must stay there.
    while (GetTickCount() - started < 2000) {
        RECT r = e2e::WindowRect(notepad);
        ASSERT_FALSE(r.left == 200 && r.top == 150) << "placed after " << GetTickCount() - started << " ms";
        e2e::PumpFor(50);
    }
    EXPECT_TRUE(e2e::WaitForOrigin(notepad, 200, 150, kPlacedMs));
    EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
}

// Start-up failures: the boxes in order, then the end with 0.
struct FailureCase {
    const char* fault;
    std::string tail;
    std::vector<std::pair<std::string, std::string>> boxes;  // caption, text
};

TEST_F(Lofter, StartFailuresShowTheirBoxesInOrderAndEnd) {
    // Saved as UTF-8; its first word is sound, but an emoji has no place in
    // code page 932, so the whole file is refused.
    const std::string emojiFile = e2e::BesideTests("lofter_emoji.rsp");
    WriteBytes(emojiFile, u8"e=notepad.exe\r\n\r\n\U0001F600\r\n");
    const FailureCase cases[] = {
        {"shell failure not reported", "e=no-such-program-kivora.exe",
         {{"   ERROR !!", "ファイルが実行出来ません"}}},
        {"empty line not refused", "", {{"ERROR", e2e::kLofterUsage}}},
        {"unreadable response file boxes wrong or out of order", "r=C:\\no-such-folder\\none.rsp",
         {{"ERROR!!", "レスポンスファイルが読めません"}, {"ERROR", e2e::kLofterUsage}}},
        {"response file with a character Shift-JIS lacks not refused, or its line miscounted",
         "r=" + emojiFile,
         {{"ERROR", "3行目にShift-JISで表せない文字があるため、ファイルを読めません"}, {"ERROR", e2e::kLofterUsage}}},
        // 1024 characters: one more than the text holds. Cut, it would be a
        // sound line, and the shell's failure box would come instead.
        {"tail longer than the text acted on cut",
         "e=no-such-program-kivora.exe " + std::string(1024 - 29, 'a'), {{"ERROR", e2e::kLofterUsage}}},
        {"a 260-character path cut to another file", "x=0,y=0,e=C:\\" + std::string(257, 'p'),
         {{"ERROR", e2e::kLofterUsage}}},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.fault);
        Start(c.tail);
        for (const auto& expected : c.boxes) {
            auto box = e2e::WaitForMessageBox(program.Id(), kStartMs);
            ASSERT_TRUE(box.has_value());
            EXPECT_EQ(expected.first, box->caption);
            EXPECT_EQ(expected.second, box->text);
            EXPECT_TRUE(box->HasButton(IDOK));
            ASSERT_TRUE(e2e::PressButton(*box, IDOK));
            ASSERT_TRUE(e2e::WaitForWindowGone(box->window, 5000));
        }
        EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
        EXPECT_TRUE(Notepads().empty());
    }
}

// taskkill without /f while a start-up box is up: the close reaches the
// window in the box's loop, while lofter's constructor still runs.
TEST_F(Lofter, AskedToEndWhileAStartUpBoxIsUp) {
    const struct {
        const char* fault;
        const char* tail;
        const char* caption;
    } rows[] = {
        {"usage box: the object deleted under its constructor, or a box after the close", "", "ERROR"},
        {"launch-failure box: the object deleted under its constructor, or a box after the close",
         "e=kivora-no-such.exe", "   ERROR !!"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        Start(row.tail);
        auto box = e2e::WaitForMessageBox(program.Id(), kStartMs);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(row.caption, box->caption);
        ASSERT_TRUE(e2e::AskToEnd("lofter.exe"));
        EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
        EXPECT_TRUE(e2e::BoxesOnScreen().empty()) << "a box after the close, or Wine's crash dialog";
    }
}

// The tray menu makes lofter's own window the foreground one. A capture
// that falls due under it waits for the first window of another process.
TEST_F(Lofter, ACaptureDueUnderTheTrayMenuWaitsForAWindowOfAnotherProcess) {
    Start("x=100,y=80,z=TOP,e=notepad.exe");
    HWND notepad = WaitForNotepad();
    ASSERT_NE(nullptr, notepad);
    const DWORD delayBegan = GetTickCount();  // the shell returns once Notepad is up
    HWND main = MainWindow();
    ASSERT_NE(nullptr, main);
    const RECT mainBefore = e2e::WindowRect(main);
    auto pumpUntil = [delayBegan](DWORD ms) {
        const DWORD now = GetTickCount() - delayBegan;
        if (now < ms) e2e::PumpFor(ms - now);
    };
    pumpUntil(1000);
    PostMessageA(main, kTrayCallback, 1, WM_LBUTTONDOWN);
    HWND menu = e2e::WaitForWindow(Menus(), kStartMs);
    ASSERT_NE(nullptr, menu);
    pumpUntil(4000);  // the capture fell due at about 3 s
    ASSERT_TRUE(IsWindowVisible(menu)) << "the menu closed by itself";
    PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone(menu, 5000) || !IsWindowVisible(menu));
    SetForegroundWindow(notepad);  // as a click on it would

    EXPECT_TRUE(e2e::WaitForOrigin(notepad, 100, 80, kPlacedMs));
    EXPECT_TRUE(e2e::IsTopMost(notepad));
    const RECT mainAfter = e2e::WindowRect(main);
    EXPECT_EQ(mainBefore.left, mainAfter.left) << "lofter placed its own window";
    EXPECT_EQ(mainBefore.top, mainAfter.top);
    EXPECT_FALSE(e2e::IsTopMost(main));
    PostMessageA(main, WM_COMMAND, 512, 0);
    EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
    EXPECT_FALSE(e2e::IsTopMost(notepad));
}

// A response file saved as UTF-8 without a mark, as Notepad saves it today,
// naming a program in a folder with a Japanese name.
TEST_F(Lofter, ReadsAResponseFileSavedAsUtf8) {
    const char folder[] = "C:\\ロフト";  // code page 932: the name the shell gets
    char system[MAX_PATH];
    ASSERT_NE(0u, GetSystemDirectoryA(system, sizeof system));
    CreateDirectoryA(folder, nullptr);
    const std::string copy = std::string(folder) + "\\notepad.exe";
    ASSERT_TRUE(CopyFileA((std::string(system) + "\\notepad.exe").c_str(), copy.c_str(), FALSE));
    const std::string responseFile = e2e::BesideTests("lofter_utf8.rsp");
    WriteBytes(responseFile, u8"x=110,y=70,e=C:\\ロフト\\notepad.exe\r\n");

    Start("r=" + responseFile);
    HWND notepad = WaitForNotepad();
    EXPECT_NE(nullptr, notepad);
    if (notepad) {
        EXPECT_TRUE(e2e::WaitForOrigin(notepad, 110, 70, kPlacedMs));
    }
    EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));

    e2e::CloseWindowsOfClass("Notepad");
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder);
    DeleteFileA(responseFile.c_str());
}

TEST_F(Lofter, MenuTogglesTopMostAndAutoReturn) {
    HWND notepad = StartResident();
    HWND main = MainWindow();
    ASSERT_NE(nullptr, main);
    // Auto return on, then top-most off: lofter stays to put the window back.
    SendMessageA(main, WM_COMMAND, 11, 0);
    SendMessageA(main, WM_COMMAND, 10, 0);
    EXPECT_FALSE(e2e::IsTopMost(notepad));
    e2e::PumpFor(300);
    ASSERT_TRUE(program.IsRunning());
    // Auto return off as well: nothing is left to keep, so lofter ends.
    PostMessageA(main, WM_COMMAND, 11, 0);
    EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
    EXPECT_FALSE(e2e::IsTopMost(notepad));
}

TEST_F(Lofter, UseCurrentPositionThenCancelAppliesThePressedPosition) {
    HWND notepad = StartResident();
    HWND main = MainWindow();
    ASSERT_NE(nullptr, main);
    MoveWindowTo(notepad, 300, 200);
    PostMessageA(main, WM_COMMAND, 12, 0);
    HWND dialog = WaitForDialog(34);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("100", e2e::TextOf(GetDlgItem(dialog, 30)));
    EXPECT_EQ("-1", e2e::TextOf(GetDlgItem(dialog, 32)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 32)));  // size not given at the start
    SendMessageA(dialog, WM_COMMAND, 34, 0);
    EXPECT_EQ("300", e2e::TextOf(GetDlgItem(dialog, 30)));
    EXPECT_EQ("200", e2e::TextOf(GetDlgItem(dialog, 31)));
    SendMessageA(GetDlgItem(dialog, 30), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5"));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(dialog, 5000));
    // Moved away again, the window goes to the pressed position (not to the
    // typed 5) when top-most is turned off; lofter then ends.
    MoveWindowTo(notepad, 400, 300);
    PostMessageA(main, WM_COMMAND, 10, 0);
    EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
    RECT r = e2e::WindowRect(notepad);
    EXPECT_EQ(300, r.left);
    EXPECT_EQ(200, r.top);
}

// The tray stays live while a settings dialog runs: a press must not open
// the menu over it, and a close that still arrives must end the run cleanly.
// Auto-return rests under the settings dialogs, which may read the window's
// place.
TEST_F(Lofter, WhileASettingsDialogIsOpen) {
    struct Case {
        const char* fault;
        WPARAM command;
        bool returnRests;  // with auto-return on, it waits until the dialog is closed
    } cases[] = {
        {"placement dialog: menu over it, the close used the freed window, or auto-return ran", 12, true},
        {"timing dialog: menu over it, the close used the freed window, or auto-return ran", 13, true},
        {"About box: menu over it", 532, false},
        {"hide-icon question: menu over it", 14, false},
    };
    ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterIntervalKey, "200"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        HWND notepad = StartResident(c.returnRests ? ",a=ON" : "");
        HWND main = MainWindow();
        ASSERT_NE(nullptr, main);
        PostMessageA(main, WM_COMMAND, c.command, 0);
        HWND dialog = WaitForDialog(0);
        ASSERT_NE(nullptr, dialog);
        if (c.returnRests) {
            MoveWindowTo(notepad, 300, 250);
            e2e::PumpFor(600);
            EXPECT_EQ(300, e2e::WindowRect(notepad).left) << "auto-return ran under the dialog";
        }
        SetForegroundWindow(notepad);
        PostMessageA(main, kTrayCallback, 1, WM_LBUTTONDOWN);
        e2e::PumpFor(500);
        EXPECT_TRUE(e2e::FindWindows(Menus()).empty()) << "a menu opened over the dialog";
        EXPECT_EQ(dialog, GetForegroundWindow()) << "the dialog was not brought forward";

        PostMessageA(main, WM_COMMAND, 512, 0);
        // The dialog goes with the window that owns it.
        EXPECT_TRUE(e2e::WaitForWindowGone(dialog, kExitMs)) << "the dialog outlived the window that owns it";
        EXPECT_FALSE(e2e::WaitForMessageBox(program.Id(), 1500).has_value()) << "a box after the close";
        EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
        EXPECT_FALSE(e2e::IsTopMost(notepad));
        e2e::CloseWindowsOfClass("Notepad");
        e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey);  // the next opens elsewhere
    }
}

// Saving 3500 and 300 from the timing dialog, by what the default profile
// and the user's own branch hold or refuse, and what the next start uses.
struct SaveCase {
    const char* fault;
    bool defaultRefused;  // no lasting key can be made under the default profile
    bool userRefused;     // nor in the user's branch (which holds the test's delay)
    const char* defaultInterval;  // after the start; "<missing>": not stored there
    const char* userInterval;
    const char* defaultSaved[2];  // delay and interval after the save
    const char* userSaved[2];
    bool failureBox;
    bool endedAtBox;             // taskkill without /f while the failure box is up
};

TEST_F(Lofter, TimingDialogSavesWhereItMayOrSaysItCouldNot) {
    const char* const none = "<missing>";
    const SaveCase cases[] = {
        {"a value only under .Default not used, or a save there not kept for the next start",
         false, false, "500", none, {"3500", "300"}, {none, none}, false, false},
        {".Default refused: the save not kept in the user's branch, or reported as failed",
         true, false, none, "500", {none, none}, {"3500", "300"}, false, false},
        {"refused in both places: the save passing in silence, dropping the values or ending lofter",
         true, true, none, none, {none, none}, {"3500", none}, true, false},
        {"ended under the failure box: a box after it, or top-most left on",
         true, true, none, none, {none, none}, {"3500", none}, true, true},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey));
        ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_USERS, e2e::kLofterKey));
        ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kZorvaUserKey));
        if (c.defaultRefused) {
            ASSERT_TRUE(WriteVolatileText(HKEY_USERS, e2e::kLofterKey, ""));
        } else {
            ASSERT_TRUE(e2e::WriteRegistryText(HKEY_USERS, e2e::kLofterDelayKey, kTestDelay));
        }
        if (c.userRefused) {
            ASSERT_TRUE(WriteVolatileText(HKEY_CURRENT_USER, e2e::kLofterUserDelayKey, kTestDelay));
        } else if (c.defaultRefused) {
            ASSERT_TRUE(e2e::WriteRegistryText(HKEY_CURRENT_USER, e2e::kLofterUserDelayKey, kTestDelay));
        }
        HWND notepad = StartResident();
        HWND main = MainWindow();
        ASSERT_NE(nullptr, main);
        // The start stored the missing interval where a save would, or could
        // not and said nothing.
        EXPECT_EQ(c.defaultInterval, e2e::ReadRegistryText(HKEY_USERS, e2e::kLofterIntervalKey).value_or(none));
        EXPECT_EQ(c.userInterval,
                  e2e::ReadRegistryText(HKEY_CURRENT_USER, e2e::kLofterUserIntervalKey).value_or(none));
        EXPECT_FALSE(e2e::WaitForMessageBox(program.Id(), 0).has_value());

        PostMessageA(main, WM_COMMAND, 13, 0);
        HWND dialog = WaitForDialog(18);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(kTestDelay, e2e::TextOf(GetDlgItem(dialog, 18)));
        EXPECT_EQ("500", e2e::TextOf(GetDlgItem(dialog, 19)));
        SendMessageA(GetDlgItem(dialog, 18), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3500"));
        SendMessageA(GetDlgItem(dialog, 19), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("300"));
        SendMessageA(GetDlgItem(dialog, 17), BM_SETCHECK, BST_CHECKED, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(e2e::WaitForWindowGone(dialog, 5000));
        EXPECT_EQ(c.userSaved[0], WaitForStoredText(HKEY_CURRENT_USER, e2e::kLofterUserDelayKey, c.userSaved[0]));
        EXPECT_EQ(c.userSaved[1],
                  WaitForStoredText(HKEY_CURRENT_USER, e2e::kLofterUserIntervalKey, c.userSaved[1]));
        EXPECT_EQ(c.defaultSaved[0], WaitForStoredText(HKEY_USERS, e2e::kLofterDelayKey, c.defaultSaved[0]));
        EXPECT_EQ(c.defaultSaved[1], WaitForStoredText(HKEY_USERS, e2e::kLofterIntervalKey, c.defaultSaved[1]));

        auto box = e2e::WaitForMessageBox(program.Id(), c.failureBox ? kStartMs : 500);
        ASSERT_EQ(c.failureBox, box.has_value());
        if (box) {
            EXPECT_EQ("ERROR", box->caption);
            EXPECT_EQ("設定を保存できませんでした", box->text);
            EXPECT_EQ(main, GetWindow(box->window, GW_OWNER));
            ASSERT_EQ(1u, box->buttons.size());
            if (c.endedAtBox) {
                ASSERT_TRUE(e2e::AskToEnd("lofter.exe"));
                EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
                EXPECT_TRUE(e2e::BoxesOnScreen().empty()) << "a box after the end, or Wine's crash dialog";
                EXPECT_FALSE(e2e::IsTopMost(notepad));
                continue;
            }
            ASSERT_TRUE(e2e::PressButton(*box, IDOK));
            ASSERT_TRUE(e2e::WaitForWindowGone(box->window, 5000));
        }
        // Saved or not, the new values are in force and lofter runs on; once
        // saved, the next start uses them too.
        for (int run = 0; run < (c.failureBox ? 1 : 2); ++run) {
            if (run == 1) {
                e2e::CloseWindowsOfClass("Notepad");
                ASSERT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
                ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kNotepadKey));
                notepad = StartResident();
                main = MainWindow();
                ASSERT_NE(nullptr, main);
            }
            PostMessageA(main, WM_COMMAND, 13, 0);
            dialog = WaitForDialog(18);
            ASSERT_NE(nullptr, dialog);
            EXPECT_EQ("3500", e2e::TextOf(GetDlgItem(dialog, 18))) << "run " << run;
            EXPECT_EQ("300", e2e::TextOf(GetDlgItem(dialog, 19))) << "run " << run;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(e2e::WaitForWindowGone(dialog, 5000));
        }
        PostMessageA(notepad, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, program.WaitForExit(kExitMs).value_or(0xDEAD));
    }
}

}  // namespace
