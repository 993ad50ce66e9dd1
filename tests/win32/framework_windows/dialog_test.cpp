// Dialogs and controls under Wine: control maps, OK and Cancel, the edit
// field's filter and files, missing templates and the modeless dialogs'
// place in the message loop.
#include <gtest/gtest.h>

#include <limits.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "recording_platform.h"
#include "windows_test_ids.h"
#include "windows_test_support.h"
#include "wpctrl.h"
#include "wpdlg.h"
#include "wpmainwin.h"

namespace {

struct Settings {
    char name[32];
    char place[16];
    int32_t top;
    char digits[8];
};

std::string ItemText(HWND item) {
    char text[256] = {};
    ::GetWindowTextA(item, text, sizeof text);
    return text;
}

const WPCtrlMapEntry kMap[] = {
    {WPEdit::Make, IDC_NAME, offsetof(Settings, name), sizeof(Settings::name)},
    {WPEdit::Make, IDC_PLACE, offsetof(Settings, place), sizeof(Settings::place)},
    {WPButton::Make, IDC_TOP, offsetof(Settings, top), sizeof(Settings::top)},
    {WPEdit::MakeDigits, IDC_DIGITS, offsetof(Settings, digits), sizeof(Settings::digits)},
    {nullptr, 0, 0, 0}};

TEST(ControlMap, TableFitsItsRecord) {
    EXPECT_EQ(0, CheckControlMap(kMap, sizeof(Settings)));
}

TEST(ControlMap, TerminatorZeroLeavesFocusToDialogManager) {
    UseTestModule();
    Settings record = {"Alice", "Tokyo", 1, "12"};
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    int focused = 0, initAnswer = -1, refocused = 0;
    dialog.script = [&](ScriptedDialog& d) {
        focused = ::GetDlgCtrlID(::GetFocus());
        (new WPEdit(&d, 0))->Create();  // a control whose id is 0 is no focus id
        initAnswer = d.InitDialog();     // loads the record again: the focus stays
        refocused = ::GetDlgCtrlID(::GetFocus());
        d.Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_EQ(0, dialog.focusId);
    EXPECT_EQ(1, initAnswer);  // the dialog manager is to set the focus
    EXPECT_EQ(IDC_NAME, refocused);
    // The dialog manager's choice: the first control that takes the tab.
    EXPECT_EQ(IDC_NAME, focused);
}

TEST(ControlMap, TerminatorWithEditIdFocusesItWithTextSelected) {
    UseTestModule();
    WPCtrlMapEntry map[5];
    memcpy(map, kMap, sizeof map);
    map[4].id = IDC_PLACE;
    Settings record = {"Alice", "Tokyo", 0, ""};
    ScriptedDialog dialog("TESTDLG", map, &record);
    int focused = 0, initAnswer = -1;
    DWORD start = 99, end = 99;
    dialog.script = [&](ScriptedDialog& d) {
        focused = ::GetDlgCtrlID(::GetFocus());
        ::SendMessageA(d.Item(IDC_PLACE), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        initAnswer = d.InitDialog();
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    EXPECT_EQ(IDC_PLACE, dialog.focusId);
    EXPECT_EQ(0, initAnswer);  // the focus is set already
    EXPECT_EQ(IDC_PLACE, focused);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(5u, end);
}

TEST(ControlMap, SizeZeroEntryBindsWithoutCopying) {
    UseTestModule();
    WPCtrlMapEntry map[5];
    memcpy(map, kMap, sizeof map);
    map[1].size = 0;  // the place edit: bound, no value
    Settings record = {"Alice", "Tokyo", 0, ""};
    ScriptedDialog dialog("TESTDLG", map, &record);
    std::string shown;
    bool bound = false;
    dialog.script = [&](ScriptedDialog& d) {
        shown = ItemText(d.Item(IDC_PLACE));
        auto* edit = dynamic_cast<WPEdit*>(WPWin::GetWin(d.Item(IDC_PLACE)));
        bound = edit != nullptr && edit->buffer == nullptr;
        ::SetWindowTextA(d.Item(IDC_PLACE), "Osaka");
        d.Press(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_TRUE(bound);
    EXPECT_EQ("", shown);
    EXPECT_STREQ("Tokyo", record.place);
}

TEST(ControlMap, MissingIdIsReportedAndOthersStillLoad) {
    UseTestModule();
    RecordingPlatform platform;
    const WPCtrlMapEntry map[] = {
        {WPEdit::Make, 999, offsetof(Settings, place), sizeof(Settings::place)},
        {WPEdit::Make, IDC_NAME, offsetof(Settings, name), sizeof(Settings::name)},
        {nullptr, 0, 0, 0}};
    Settings record = {"Alice", "Tokyo", 0, ""};
    ScriptedDialog dialog("TESTDLG", map, &record);
    std::string name;
    dialog.script = [&](ScriptedDialog& d) {
        name = ItemText(d.Item(IDC_NAME));
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ("Error: ID 999 is in control map but not dialog!", platform.boxes[0].text);
    EXPECT_EQ("Alice", name);
}

TEST(OkAndCancel, OkCopiesEveryBoundChildIncludingOnesBoundOutsideTheMap) {
    UseTestModule();
    Settings record = {"Alice", "Tokyo", 0, "12"};
    int32_t extraState = 0;
    std::vector<int> answers;
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    dialog.onInit = [&](ScriptedDialog& d) {
        auto* extra = new WPButton(&d, IDC_EXTRA);
        extra->SetBuffer(&extraState, sizeof extraState);
    };
    dialog.script = [&](ScriptedDialog& d) {
        ::SetWindowTextA(d.Item(IDC_NAME), "Bob");
        ::SetWindowTextA(d.Item(IDC_PLACE), "Kyoto");
        ::SendMessageA(d.Item(IDC_TOP), BM_SETCHECK, BST_CHECKED, 0);
        ::SendMessageA(d.Item(IDC_EXTRA), BM_SETCHECK, BST_CHECKED, 0);
        // Taken: OK; left to the caller's own handler: any other command.
        answers = {d.OnCommand(IDC_EXTRA, BN_CLICKED), d.OnCommand(IDOK, 0)};
    };
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_EQ((std::vector<int>{0, 1}), answers);
    EXPECT_EQ(1, dialog.saved);
    EXPECT_STREQ("Bob", record.name);
    EXPECT_STREQ("Kyoto", record.place);
    EXPECT_EQ(1, record.top);
    EXPECT_STREQ("12", record.digits);
    EXPECT_EQ(1, extraState);
}

TEST(OkAndCancel, CancelCopiesNothing) {
    UseTestModule();
    Settings record = {"Alice", "Tokyo", 1, "12"};
    Settings before = record;
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    dialog.script = [&](ScriptedDialog& d) {
        ::SetWindowTextA(d.Item(IDC_NAME), "Bob");
        ::SendMessageA(d.Item(IDC_TOP), BM_SETCHECK, BST_UNCHECKED, 0);
        d.Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_EQ(0, dialog.saved);
    EXPECT_EQ(0, memcmp(&before, &record, sizeof record));
}

TEST(OkAndCancel, EditTextIsCutToItsField) {
    UseTestModule();
    Settings record = {"Alice", "Tokyo", 0, ""};
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    dialog.script = [&](ScriptedDialog& d) {
        // Typing stops at the field's size; text set from code does not.
        ::SetWindowTextA(d.Item(IDC_PLACE), "A place name far longer than its field");
        d.Press(IDOK);
    };
    dialog.Execute();
    EXPECT_EQ(sizeof(Settings::place) - 1, strlen(record.place));

    // Typing stops at the field's size (setting the text ignores the limit).
    ScriptedDialog typed("TESTDLG", kMap, &record);
    std::string shown;
    typed.script = [&](ScriptedDialog& d) {
        ::SetWindowTextA(d.Item(IDC_PLACE), "");
        for (int i = 0; i < 20; ++i) ::SendMessageA(d.Item(IDC_PLACE), WM_CHAR, 'k', 1);
        shown = ItemText(d.Item(IDC_PLACE));
        d.Press(IDCANCEL);
    };
    typed.Execute();
    EXPECT_EQ(std::string(sizeof(Settings::place) - 1, 'k'), shown);

    // A cut inside a double-byte character drops the half character.
    ScriptedDialog japanese("TESTDLG", kMap, &record);
    japanese.script = [&](ScriptedDialog& d) {
        ::SetWindowTextA(d.Item(IDC_PLACE), "ああああああああ");  // 16 bytes
        d.Press(IDOK);
    };
    japanese.Execute();
    EXPECT_STREQ("あああああああ", record.place);
}

class RefusingDialog : public ScriptedDialog {
public:
    using ScriptedDialog::ScriptedDialog;
    int allow = 0;
    int queries = 0;
    int OnQueryEndSession() override {
        ++queries;
        return allow;
    }
    std::vector<int> cancelCodes;
    int OnCommand(int id, int code) override {
        if (id == IDCANCEL) cancelCodes.push_back(code);
        return ScriptedDialog::OnCommand(id, code);
    }
};

TEST(OkAndCancel, RefusedQueryKeepsDialogOpenOnCancelAndCloseBox) {
    UseTestModule();
    Settings record = {"Alice", "Tokyo", 0, ""};
    RefusingDialog dialog("TESTDLG", kMap, &record);
    int resultAfterCancel = -5, resultAfterClose = -5;
    std::vector<int> refusedAnswers;
    bool visibleAfterClose = false;
    int queriesBeforeClose = 0, queriesAfterClose = 0;
    dialog.script = [&](ScriptedDialog& d) {
        auto& self = static_cast<RefusingDialog&>(d);
        d.Press(IDCANCEL);
        resultAfterCancel = d.dlgResult;
        queriesBeforeClose = self.queries;
        ::SendMessageA(d.hwnd, WM_CLOSE, 0, 0);
        Pump(100);  // the close box may post its Cancel
        resultAfterClose = d.dlgResult;
        queriesAfterClose = self.queries;
        visibleAfterClose = ::IsWindowVisible(d.hwnd) != 0;
        refusedAnswers = {d.OnCommand(IDCANCEL, 0), d.OnClose()};  // refused, but taken
        self.allow = 1;
        d.Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_EQ(0, resultAfterCancel);
    EXPECT_EQ(1, queriesBeforeClose);
    EXPECT_EQ(0, resultAfterClose);
    EXPECT_TRUE(visibleAfterClose);
    // The close box asks once: a second Cancel from the dialog manager
    // would ask the user twice.
    EXPECT_EQ(queriesBeforeClose + 1, queriesAfterClose);
    EXPECT_EQ((std::vector<int>{1, 1}), refusedAnswers);
    // The close box is a click of Cancel (code 0), not an accelerator's (1).
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0}), dialog.cancelCodes);
}

TEST(EditFilter, DigitsRefuseLettersWithBeepAndAcceptBackspaceAndDigits) {
    UseTestModule();
    RecordingPlatform platform;
    Settings record = {"", "", 0, ""};
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    std::vector<std::string> texts;
    std::vector<size_t> beeps;
    dialog.script = [&](ScriptedDialog& d) {
        HWND digits = d.Item(IDC_DIGITS);
        for (WPARAM typed : {WPARAM('4'), WPARAM('a'), WPARAM('-'), WPARAM('2'), WPARAM(VK_BACK)}) {
            ::SendMessageA(digits, WM_CHAR, typed, 1);
            texts.push_back(ItemText(digits));
            beeps.push_back(platform.beeps.size());
        }
        d.Press(IDOK);
    };
    dialog.Execute();
    EXPECT_EQ((std::vector<std::string>{"4", "4", "4", "42", "4"}), texts);
    EXPECT_EQ((std::vector<size_t>{0, 1, 2, 2, 2}), beeps);
    EXPECT_EQ((std::vector<UINT>{0, 0}), platform.beeps);  // the default sound
    EXPECT_STREQ("4", record.digits);
}

TEST(EditFilter, BothBytesOfDoubleByteCharacterPass) {
    UseTestModule();
    RecordingPlatform platform;
    Settings record = {"", "", 0, ""};
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    std::vector<size_t> beeps;
    dialog.script = [&](ScriptedDialog& d) {
        HWND digits = d.Item(IDC_DIGITS);
        // "ソ" is 0x83 0x5C in Shift-JIS: its trail byte is a backslash.
        // Typed, it comes as two messages, lead byte first ...
        ::SendMessageA(digits, WM_CHAR, 0x83, 1);
        ::SendMessageA(digits, WM_CHAR, 0x5C, 1);
        beeps.push_back(platform.beeps.size());
        // ... while a backslash of its own is refused ...
        ::SendMessageA(digits, WM_CHAR, 0x5C, 1);
        beeps.push_back(platform.beeps.size());
        // ... and both bytes may also come in one message.
        ::SendMessageA(digits, WM_CHAR, 0x835C, 1);
        beeps.push_back(platform.beeps.size());
        d.Press(IDOK);
    };
    dialog.Execute();
    EXPECT_EQ((std::vector<size_t>{0, 1, 1}), beeps);
}

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    ::GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return "(missing)";
    char chunk[256];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    fclose(file);
    return bytes;
}

// Committed private memory of this process, in bytes.
SIZE_T CommittedBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (char* at = nullptr; ::VirtualQuery(at, &info, sizeof info);
         at = static_cast<char*>(info.BaseAddress) + info.RegionSize)
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    return total;
}

TEST(EditFiles, SaveThenLoadRoundTripsTheText) {
    UseTestModule();
    RecordingPlatform platform;
    Settings record = {"", "", 0, ""};
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    const std::string path = TempPath("kivora_edit_roundtrip.txt");
    const std::string text = "一行目\r\n\tsecond line ソ\\\r\n";
    std::string written, loaded, emptyWritten = "?";
    int saveResult = -1, loadResult = -1, emptySaved = -1;
    SIZE_T grown = 0, grownByLoad = 0;
    dialog.script = [&](ScriptedDialog& d) {
        auto* edit = dynamic_cast<WPEdit*>(WPWin::GetWin(d.Item(IDC_NAME)));
        ::SendMessageA(edit->hwnd, EM_LIMITTEXT, 0, 0);
        edit->SetText(text.c_str());
        saveResult = edit->SaveFile(path.c_str());
        written = FileBytes(path);
        edit->SetText("");
        loadResult = edit->LoadFile(path.c_str());
        loaded = ItemText(edit->hwnd);
        edit->SetText("");
        emptySaved = edit->SaveFile(path.c_str());
        emptyWritten = FileBytes(path);
        // A save takes a copy of the whole text, and gives it back; so does a load.
        edit->SetText(std::string(1 << 20, 'x').c_str());
        SIZE_T before = CommittedBytes();
        edit->SaveFile(path.c_str());
        grown = CommittedBytes() - before;
        before = CommittedBytes();
        edit->LoadFile(path.c_str());
        grownByLoad = CommittedBytes() - before;
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    ::DeleteFileA(path.c_str());
    EXPECT_EQ(1, saveResult);
    EXPECT_EQ(text, written);  // exactly the text, no terminator
    EXPECT_EQ(1, loadResult);
    EXPECT_EQ(text, loaded);
    EXPECT_EQ(1, emptySaved);  // an empty document is a file too
    EXPECT_EQ("", emptyWritten);
    EXPECT_LT(grown, SIZE_T(512 << 10));
    EXPECT_LT(grownByLoad, SIZE_T(512 << 10));
    EXPECT_TRUE(platform.boxes.empty());
}

// An edit that claims a length no buffer is made for.
WNDPROC editProc = nullptr;
LRESULT claimedLength = 0;
LRESULT CALLBACK ClaimsLength(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXTLENGTH) return claimedLength;
    return ::CallWindowProcA(editProc, hwnd, message, wParam, lParam);
}

TEST(EditFiles, FailuresAreReported) {
    UseTestModule();
    RecordingPlatform platform;
    Settings record = {"", "", 0, ""};
    ScriptedDialog dialog("TESTDLG", kMap, &record);
    // A big file that another handle holds: its size is known, it cannot be
    // opened, and the buffer made for it must not stay behind.
    const std::string locked = TempPath("kivora_locked.txt");
    HANDLE holder = ::CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const LONG kBigFile = 256 << 20;
    ::SetFilePointer(holder, kBigFile, nullptr, FILE_BEGIN);
    ::SetEndOfFile(holder);
    // One byte short of 2 GB is beyond what a 32-bit program could hold.
    const std::string huge = TempPath("kivora_huge.txt");
    HANDLE hugeFile = ::CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::SetFilePointer(hugeFile, 0x7FFFFFFF, nullptr, FILE_BEGIN);
    ::SetEndOfFile(hugeFile);
    ::CloseHandle(hugeFile);
    int missing = -1, busy = -1, tooBig = -1, badDir = -1, full = -1, empty = -1;
    std::vector<int> unheld;
    SIZE_T grown = 0;
    dialog.script = [&](ScriptedDialog& d) {
        auto* edit = dynamic_cast<WPEdit*>(WPWin::GetWin(d.Item(IDC_NAME)));
        missing = edit->LoadFile(TempPath("kivora_no_such_file.txt").c_str());
        SIZE_T before = CommittedBytes();
        busy = edit->LoadFile(locked.c_str());
        grown = CommittedBytes() - before;
        tooBig = edit->LoadFile(huge.c_str());
        badDir = edit->SaveFile("Z:\\kivora\\no\\such\\dir\\f.txt");
        full = edit->SaveFile("Z:\\dev\\full");  // a disk without room (Unix's /dev/full)
        editProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(edit->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClaimsLength)));
        for (LRESULT length : {LRESULT(INT_MAX), LRESULT(-1)}) {
            claimedLength = length;
            unheld.push_back(edit->SaveFile(TempPath("kivora_unheld.txt").c_str()));
        }
        ::SetWindowLongPtrA(edit->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
        empty = edit->SaveFile("");
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    ::CloseHandle(holder);
    ::DeleteFileA(locked.c_str());
    ::DeleteFileA(huge.c_str());
    EXPECT_EQ(0, missing);  // no size: nothing to say
    EXPECT_EQ(0, busy);
    EXPECT_LT(grown, static_cast<SIZE_T>(kBigFile / 2));
    EXPECT_EQ(0, tooBig);
    EXPECT_EQ(0, badDir);  // a failed save is no success: the document stays modified
    EXPECT_EQ(0, full);    // nor is a failed write after a good open
    EXPECT_EQ((std::vector<int>{0, 0}), unheld);  // nor a text that could not be held
    EXPECT_EQ(0, empty);
    ASSERT_EQ(6u, platform.boxes.size());
    EXPECT_EQ("Unable to open file '" + locked + "'.", platform.boxes[0].text);
    EXPECT_EQ("File too big.", platform.boxes[1].text);
    EXPECT_EQ("Unable to open file 'Z:\\kivora\\no\\such\\dir\\f.txt'.", platform.boxes[2].text);
    EXPECT_EQ("File too big.", platform.boxes[3].text);
    EXPECT_EQ("File too big.", platform.boxes[4].text);
    EXPECT_EQ("ASSERTION FAILURE", platform.boxes[5].caption);
    EXPECT_NE(std::string::npos, platform.boxes[5].text.find("\"*fname\""));
}

TEST(Templates, MissingTemplateIsReportedAndExecuteGivesMinusOne) {
    UseTestModule();
    RecordingPlatform platform;
    WPModalDlg dialog("NOSUCHDLG", nullptr);
    EXPECT_EQ(-1, dialog.Execute());
    ASSERT_EQ(2u, platform.boxes.size());
    EXPECT_EQ("Couldn't load dialog: NOSUCHDLG.", platform.boxes[0].text);
    EXPECT_EQ("ASSERTION FAILURE", platform.boxes[1].caption);
    EXPECT_NE(std::string::npos, platform.boxes[1].text.find("\"FALSE\""));
    EXPECT_EQ(nullptr, dialogUnderConstruction);
    EXPECT_EQ(0, dialog.Create());  // nothing ran
}

TEST(Templates, DialogMadeWithNewIsFreedWhenItsTemplateIsMissing) {
    UseTestModule();
    RecordingPlatform platform;
    static bool destroyed;
    struct Noting : ScriptedDialog {
        explicit Noting(const char* name) : ScriptedDialog(name, nullptr, nullptr) {
            script = [](ScriptedDialog& d) { d.Press(IDOK); };
        }
        ~Noting() override { destroyed = true; }
    };
    destroyed = false;
    auto* dialog = new Noting("NOSUCHDLG");
    ASSERT_EQ(1, dialog->deletable);
    EXPECT_EQ(-1, dialog->Execute());
    EXPECT_TRUE(destroyed);  // no window will ever take it: it would leak
    EXPECT_EQ(2u, platform.boxes.size());
    // One that ran is freed by its window; its run still counts as made,
    // as does that of one its owner frees.
    destroyed = false;
    EXPECT_EQ(1, (new Noting("TESTDLG"))->Create());
    EXPECT_TRUE(destroyed);
    Noting kept("TESTDLG");
    EXPECT_EQ(1, kept.Create());
    EXPECT_EQ(IDOK, kept.dlgResult);
}

// True when every pixel of icon that is its own (the same over black and
// over white) shows at the top-left of window, as far as the window reaches.
bool ShowsIcon(HWND window, HICON icon) {
    RECT client;
    ::GetClientRect(window, &client);
    HDC screen = ::GetDC(window);
    HDC reference = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 64, 32);
    HGDIOBJ old = ::SelectObject(reference, bitmap);
    RECT overBlack = {0, 0, 32, 32}, overWhite = {32, 0, 64, 32};
    ::FillRect(reference, &overBlack, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::FillRect(reference, &overWhite, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawIcon(reference, 0, 0, icon);
    ::DrawIcon(reference, 32, 0, icon);
    int own = 0, shown = 0;
    for (int y = 0; y < 32 && y < client.bottom; ++y)
        for (int x = 0; x < 32 && x < client.right; ++x) {
            COLORREF pixel = ::GetPixel(reference, x, y);
            if (pixel != ::GetPixel(reference, x + 32, y)) continue;
            ++own;
            if (::GetPixel(screen, x, y) == pixel) ++shown;
        }
    ::SelectObject(reference, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(reference);
    ::ReleaseDC(window, screen);
    return own > 0 && shown == own;
}

// Ends the About box from a thread timer once it is open and reads it.
std::vector<std::string> aboutTexts;
bool aboutIconShown = false;
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = ::FindWindowA("#32770", nullptr);
    if (!box || ::GetWindowThreadProcessId(box, nullptr) != ::GetCurrentThreadId()) return;
    if (!::IsWindowVisible(box)) return;  // painted only once shown
    ::KillTimer(nullptr, timer);
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        aboutTexts.push_back(ItemText(child));
    HWND iconItem = ::GetDlgItem(box, kAboutIconId);
    auto* control = dynamic_cast<WPIconCtrl*>(WPWin::GetWin(iconItem));
    if (control && control->icon) {
        ::RedrawWindow(iconItem, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        aboutIconShown = ShowsIcon(iconItem, ::LoadIconA(wpApp.hinst, "AppIcon"));
    }
    ::SendMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(AboutBox, ShowsIconNameVersionAndDateAndEndsWithOk) {
    UseTestModule();
    RecordingPlatform platform;
    aboutTexts.clear();
    aboutIconShown = false;
    ::SetTimer(nullptr, 0, 50, CloseAboutBox);
    ShowAboutBox(nullptr);
    EXPECT_TRUE(platform.beeps.empty());
    EXPECT_TRUE(aboutIconShown);  // "appicon" painted by the icon control
    std::string all;
    for (const std::string& t : aboutTexts) all += t + "|";
    EXPECT_NE(std::string::npos, all.find("TEST Ver 1.01|"));
    EXPECT_NE(std::string::npos, all.find("1996/05/15|"));
}

TEST(AboutBox, BeepsWhenTheTemplateIsMissing) {
    RecordingPlatform platform;
    wpApp.hinst = ::GetModuleHandleA("kernel32.dll");  // a module without DLGABOUT
    ShowAboutBox(nullptr);
    UseTestModule();
    // The assertion after the error beeps too; the About command's beep last.
    EXPECT_EQ(2u, platform.beeps.size());
    ASSERT_EQ(2u, platform.boxes.size());
    EXPECT_EQ("Couldn't load dialog: DLGABOUT.", platform.boxes[0].text);
    EXPECT_EQ("ASSERTION FAILURE", platform.boxes[1].caption);
}

// Counts the dialog filter's calls per key: each IsDialogMessage call
// passes through the WH_MSGFILTER hook once.
std::vector<WPARAM> offeredKeys;
LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN &&
        (message->wParam == VK_F8 || message->wParam == VK_F9))
        offeredKeys.push_back(message->wParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class QuietMainWin : public WPMainWin {
public:
    QuietMainWin() : WPMainWin("KivoraTestLoopMain") { Create(); }
};

TEST(ModelessDialogs, JoinTheListAndTheLoopOffersMessagesNewestFirst) {
    UseTestModule();
    auto* older = new WPModelessDlg("MODELESSDLG", nullptr);
    ASSERT_EQ(1, older->Create());
    auto* newer = new WPModelessDlg("MODELESSDLG", nullptr);
    ASSERT_EQ(1, newer->Create());
    ASSERT_EQ(newer, wpApp.modeless);
    ASSERT_EQ(older, newer->nextModeless);

    auto* main = new QuietMainWin;
    wpApp.mainWin = main;
    wpApp.cmdShow = SW_HIDE;
    offeredKeys.clear();
    HHOOK hook = ::SetWindowsHookExA(WH_MSGFILTER, FilterHook, nullptr, ::GetCurrentThreadId());
    // A key for the older dialog is offered to the newer one first (which
    // refuses it), then to the older one; a key for the newer one stops there.
    ::PostMessageA(::GetDlgItem(older->hwnd, IDC_NAME), WM_KEYDOWN, VK_F9, 1);
    ::PostMessageA(::GetDlgItem(newer->hwnd, IDC_NAME), WM_KEYDOWN, VK_F8, 1);
    ::PostQuitMessage(0);
    wpApp.Run();
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ((std::vector<WPARAM>{VK_F9, VK_F9, VK_F8}), offeredKeys);

    main->keepRunning = 1;
    main->Destroy();
    newer->Destroy();  // made with new: its window's end deletes it
    EXPECT_EQ(older, wpApp.modeless);
    older->Destroy();
    EXPECT_EQ(nullptr, wpApp.modeless);
}

}  // namespace
