// Controls beyond edits and check boxes under Wine: radio groups, list and
// combo fills, scroll bars, owner-drawn items, paste; and the system's own
// open dialog with the framework dialog procedure as its hook.
#include <gtest/gtest.h>

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "recording_platform.h"
#include "windows_test_ids.h"
#include "windows_test_support.h"
#include "wpctrl.h"
#include "wpfiledlg.h"
#include "wpgdi.h"
#include "wpglob.h"
#include "wpmainwin.h"
#include "wpodraw.h"

namespace {

struct Choice {
    int32_t option;
    int32_t listed;
    int32_t position;
};

WPCtrl* MakeGroup(WPDialog* dialog, int id) { return new WPRadioGroup(dialog, id, 3); }
WPCtrl* MakeScroll(WPDialog* dialog, int id) { return new WPScrollBar(dialog, id, SB_CTL, 10, 1); }
WPCtrl* MakeList(WPDialog* dialog, int id) { return new WPListBox(dialog, id); }

const WPCtrlMapEntry kChoiceMap[] = {
    {MakeGroup, IDC_GROUP, offsetof(Choice, option), sizeof(int32_t)},
    {MakeList, IDC_LIST, offsetof(Choice, listed), sizeof(int32_t)},
    {MakeScroll, IDC_SCROLL, offsetof(Choice, position), sizeof(int32_t)},
    {nullptr, 0, 0, 0}};

// Items from a fixed table, cut bytewise to the buffer as a careless source
// would.
class TableSource : public WPItemSource {
public:
    static const int32_t kNoData = INT32_MIN;  // an item whose data is not given
    std::vector<std::pair<std::string, int32_t>> items;
    bool First(char* text, int size, int32_t* data) override {
        next_ = 0;
        return Next(text, size, data);
    }
    bool Next(char* text, int size, int32_t* data) override {
        if (next_ >= items.size()) return false;
        const std::string& item = items[next_].first;
        size_t length = item.size() < size_t(size) - 1 ? item.size() : size_t(size) - 1;
        memcpy(text, item.data(), length);
        text[length] = '\0';
        if (items[next_].second != kNoData) *data = items[next_].second;
        ++next_;
        return true;
    }

private:
    size_t next_ = 0;
};

bool Checked(HWND dialog, int id) {
    return ::SendMessageA(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST(RadioGroup, RecordIndexChecksOneButtonAndOkReadsItBack) {
    UseTestModule();
    RecordingPlatform platform;
    Choice record = {1, -1, 0};
    ScriptedDialog dialog("CTRLDLG", kChoiceMap, &record);
    std::vector<bool> shown;
    int afterSetAll = 0, firstChecked = -1;
    std::vector<int32_t> states(3);
    dialog.script = [&](ScriptedDialog& d) {
        for (int i = 1; i <= 3; ++i) shown.push_back(Checked(d.hwnd, IDC_GROUP + i));
        auto* group = dynamic_cast<WPRadioGroup*>(d.GetChild(IDC_GROUP));
        group->SetAll(BST_UNCHECKED);
        afterSetAll = group->GetIndex();
        const int32_t pattern[3] = {1, 0, 1};
        group->SetStates(pattern);
        group->GetStates(states.data());
        firstChecked = group->GetIndex();
        ::SendMessageA(d.Item(IDC_GROUP + 3), BM_CLICK, 0, 0);  // the user picks "three"
        d.Press(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_EQ((std::vector<bool>{false, true, false}), shown);
    EXPECT_EQ(-1, afterSetAll);
    EXPECT_EQ((std::vector<int32_t>{1, 0, 1}), states);
    EXPECT_EQ(0, firstChecked);
    EXPECT_EQ(2, record.option);
    EXPECT_TRUE(platform.boxes.empty());
}

// A control copies its value only into and out of a buffer that holds one:
// a check state needs four bytes, a text at least its terminator.
TEST(ControlValues, ABufferTooSmallOrMissingIsLeftAlone) {
    UseTestModule();
    ScriptedDialog dialog("TESTDLG", nullptr, nullptr);
    char field[8] = "x\x83";  // ends in a lead byte, which a copy would drop
    int32_t small = 7, fits = 7;
    char terminatorOnly[1] = {'x'};
    std::string text, emptied = "?", cut;
    bool checked = false;
    dialog.script = [&](ScriptedDialog& d) {
        WPEdit edit(&d, IDC_NAME);
        WPButton button(&d, IDC_TOP);
        edit.SetText("typed");
        button.SetCheck(BST_CHECKED);
        const struct {
            WPCtrl* control;
            void* buffer;
            int size;
        } cases[] = {{&edit, nullptr, 8}, {&edit, field, 0}, {&button, nullptr, 4}, {&button, &small, 3}};
        for (const auto& c : cases) {
            c.control->SetBuffer(c.buffer, c.size);
            c.control->GetData();
            c.control->SetData();
        }
        char shown[16] = "";
        edit.GetText(shown, sizeof shown);
        text = shown;
        checked = button.GetCheck() == BST_CHECKED;
        button.SetBuffer(&fits, sizeof fits);
        button.GetData();
        // Room for the terminator alone is a field: it reads and shows "".
        edit.SetBuffer(terminatorOnly, 1);
        edit.GetData();
        edit.SetText("typed");
        edit.SetData();
        char shownNow[16] = "?";
        edit.GetText(shownNow, sizeof shownNow);
        emptied = shownNow;
        // A field without its terminator shows no more than its size holds.
        char unterminated[4] = {'a', 'b', 'c', 'd'};
        edit.SetBuffer(unterminated, sizeof unterminated);
        edit.SetData();
        edit.GetText(shownNow, sizeof shownNow);
        cut = shownNow;
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    EXPECT_EQ("typed", text);
    EXPECT_STREQ("x\x83", field);
    EXPECT_TRUE(checked);
    EXPECT_EQ(7, small);
    EXPECT_EQ(BST_CHECKED, fits);
    EXPECT_EQ('\0', terminatorOnly[0]);
    EXPECT_EQ("", emptied);
    EXPECT_EQ("abc", cut);
}

// A control the template lacks is made as a child window of its class, with
// its id and style; one the template has is bound to that item at once.
TEST(ControlValues, AControlTheTemplateLacksIsMadeAsAChild) {
    UseTestModule();
    ScriptedDialog dialog("TESTDLG", nullptr, nullptr);
    int first = 0, second = 0, id = 0;
    bool same = false, bound = false, ownedByDialog = false;
    char className[16] = "";
    LONG style = 0, exStyle = -1;
    std::vector<LONG> placed;
    dialog.script = [&](ScriptedDialog& d) {
        WPButton extra(&d, 777, BS_AUTOCHECKBOX);
        first = extra.Create();
        HWND made = extra.hwnd;
        second = extra.Create();
        same = extra.hwnd == made;
        ::GetClassNameA(made, className, sizeof className);
        style = ::GetWindowLongA(made, GWL_STYLE);
        exStyle = ::GetWindowLongA(made, GWL_EXSTYLE);
        id = ::GetDlgCtrlID(made);
        ownedByDialog = ::GetParent(made) == d.hwnd;
        RECT r = {};
        ::GetWindowRect(made, &r);
        ::MapWindowPoints(nullptr, d.hwnd, reinterpret_cast<POINT*>(&r), 2);
        placed = {r.left, r.top, r.right, r.bottom};
        WPButton existing(&d, IDC_TOP);
        bound = existing.hwnd == d.Item(IDC_TOP);
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    EXPECT_EQ(1, first);
    EXPECT_EQ(1, second);
    EXPECT_TRUE(same);
    EXPECT_STREQ("Button", className);
    EXPECT_EQ(LONG(WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX), style & LONG(WS_CHILD | WS_VISIBLE | 0xF));
    EXPECT_EQ(0, exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(777, id);
    EXPECT_EQ((std::vector<LONG>{0, 0, 0, 0}), placed);  // at the corner, no size: its owner places it
    EXPECT_TRUE(ownedByDialog);
    EXPECT_TRUE(bound);
}

// What is sent to one window while the hook is set: redraw switches and
// added items, in order.
HWND watched = nullptr;
std::vector<std::string> sentToWatched;
LRESULT CALLBACK NoteSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == watched && sent->message == WM_SETREDRAW)
        sentToWatched.push_back("redraw " + std::to_string(sent->wParam));
    if (code == HC_ACTION && sent->hwnd == watched && sent->message == LB_ADDSTRING)
        sentToWatched.push_back("add");
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ListFill, ItemsTheirDataAndTheSelection) {
    UseTestModule();
    Choice record = {0, 0, 0};
    ScriptedDialog dialog("CTRLDLG", kChoiceMap, &record);
    TableSource source;
    source.items = {{"一番目", 10}, {"second", 20}, {std::string(100, 'z'), 30},
                    {std::string(78, 'z') + "表", 40}};  // cut at 79 inside 表
    LRESULT count = 0, data = 0, selected = -1, longLength = 0, cutLength = 0, comboCutLength = 0,
            comboCount = 0, comboSelected = -1, quietData = -1;
    dialog.script = [&](ScriptedDialog& d) {
        auto* list = dynamic_cast<WPListBox*>(d.GetChild(IDC_LIST));
        watched = list->hwnd;
        HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, NoteSent, nullptr, ::GetCurrentThreadId());
        list->Fill(&source, 1, 1);
        ::UnhookWindowsHookEx(hook);
        list->Fill(&source, 2, 0);  // a refill replaces the items
        count = list->SendMsg(LB_GETCOUNT);
        data = list->SendMsg(LB_GETITEMDATA, 0);
        selected = list->SendMsg(LB_GETCURSEL);
        longLength = list->SendMsg(LB_GETTEXTLEN, 2);
        cutLength = list->SendMsg(LB_GETTEXTLEN, 3);
        WPComboBox combo(&d, IDC_COMBO);
        combo.Fill(&source, 0, 1);
        comboCount = combo.SendMsg(CB_GETCOUNT);
        comboCutLength = combo.SendMsg(CB_GETLBTEXTLEN, 3);
        comboSelected = combo.SendMsg(CB_GETCURSEL);
        TableSource quiet;
        quiet.items = {{"quiet", TableSource::kNoData}};
        combo.Fill(&quiet, 0, 0);
        quietData = combo.SendMsg(CB_GETITEMDATA, 0);
        d.Press(IDOK);
    };
    dialog.Execute();
    // The list is not redrawn item by item while it fills.
    EXPECT_EQ((std::vector<std::string>{"redraw 0", "add", "add", "add", "add", "redraw 1"}), sentToWatched);
    EXPECT_EQ(4, count);
    EXPECT_EQ(10, data);
    EXPECT_EQ(2, selected);
    EXPECT_EQ(79, longLength);
    EXPECT_EQ(78, cutLength);  // no half of 表 left behind
    EXPECT_EQ(78, comboCutLength);
    EXPECT_EQ(2, record.listed);  // OK reads the selection back
    EXPECT_EQ(4, comboCount);
    EXPECT_EQ(0, comboSelected);
    EXPECT_EQ(0, quietData);  // a source that gives no data: 0
}

TEST(ScrollBars, StepsByLineAndPageAndFollowsTheThumb) {
    UseTestModule();
    Choice record = {0, 0, 5};
    ScriptedDialog dialog("CTRLDLG", kChoiceMap, &record);
    std::vector<int> positions, handled;
    dialog.onInit = [](ScriptedDialog& d) { ::SetScrollRange(d.Item(IDC_SCROLL), SB_CTL, 0, 100, FALSE); };
    dialog.script = [&](ScriptedDialog& d) {
        HWND bar = d.Item(IDC_SCROLL);
        positions.push_back(::GetScrollPos(bar, SB_CTL));
        auto scroll = [&](int code, int position) {
            ::SendMessageA(d.hwnd, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar));
            positions.push_back(::GetScrollPos(bar, SB_CTL));
        };
        scroll(SB_LINEDOWN, 0);
        scroll(SB_PAGEDOWN, 0);
        scroll(SB_THUMBTRACK, 80);
        scroll(SB_PAGEDOWN, 0);
        scroll(SB_PAGEDOWN, 0);  // held at the end of the range
        scroll(SB_LINEUP, 0);
        scroll(SB_ENDSCROLL, 3);
        scroll(SB_THUMBPOSITION, 0);
        scroll(SB_PAGEUP, 0);
        // Handled only where a scroll bar object answers the id.
        handled = {d.OnScroll(SB_LINEDOWN, IDC_SCROLL, 0), d.OnScroll(SB_LINEDOWN, IDC_LIST, 0)};
        positions.push_back(::GetScrollPos(bar, SB_CTL));
        d.Press(IDOK);
    };
    dialog.Execute();
    EXPECT_EQ((std::vector<int>{5, 6, 16, 80, 90, 100, 99, 99, 0, 0, 1}), positions);
    EXPECT_EQ((std::vector<int>{1, 0}), handled);
    EXPECT_EQ(1, record.position);
}

// An owner-drawn list item that records what it was asked.
class RecordingItem final : public WPOwnerDraw {
public:
    RecordingItem(WPWin* owner, int id, UINT kind = ODT_LISTBOX) : WPOwnerDraw(owner, id), type(kind) {}
    std::vector<std::string> calls;
    UINT type;
    UINT GetCtlType() override { return type; }
    void Draw(WPItemDC& dc, UINT action) override {
        const WPRect& r = dc.rect;
        calls.push_back("draw " + std::to_string(dc.itemData) + " item " + std::to_string(dc.itemId) + " action " +
                        std::to_string(action) + " at " + std::to_string(r.left) + "," + std::to_string(r.top) +
                        "," + std::to_string(r.right) + "," + std::to_string(r.bottom));
    }
    void Measure(SIZE* size, ULONG_PTR data) override {
        size->cx = 40;
        size->cy = 17;
        calls.push_back("measure " + std::to_string(data));
    }
    int Compare(ULONG_PTR a, ULONG_PTR b) override {
        calls.push_back("compare");
        return a < b ? -1 : a > b ? 1 : 0;
    }
    void DeleteItem(ULONG_PTR data) override { calls.push_back("delete " + std::to_string(data)); }
};

// An owner-draw record of a list box that has no item.
template <class Record>
Record OtherListItem() {
    Record record = {};
    record.CtlType = ODT_LISTBOX;
    record.CtlID = IDC_OWNERDRAWN + 1;
    return record;
}

TEST(OwnerDraw, MessagesReachTheItemWithMatchingTypeAndId) {
    UseTestModule();
    RecordingPlatform platform;
    ScriptedDialog dialog("CTRLDLG", nullptr, nullptr);
    RecordingItem *item = nullptr, *menuItem = nullptr;
    // An item that keeps the defaults: no size, every pair equal.
    struct PlainItem : WPOwnerDraw {
        explicit PlainItem(WPWin* owner) : WPOwnerDraw(owner, IDC_OWNERDRAWN) {}
        UINT GetCtlType() override { return ODT_COMBOBOX; }
        void Draw(WPItemDC&, UINT) override {}
    }* plain = nullptr;
    MEASUREITEMSTRUCT plainMeasure = {ODT_COMBOBOX, IDC_OWNERDRAWN, 0, 5, 5, 0};
    COMPAREITEMSTRUCT plainCompare = {ODT_COMBOBOX, IDC_OWNERDRAWN, nullptr, 0, 1, 1, 9, 0};
    LRESULT plainCompared = 99;
    LRESULT compared = 0, otherId = 99, otherType = 99;
    int unmatchedTaken = 0;
    std::vector<int> taken;
    MEASUREITEMSTRUCT measure = {ODT_LISTBOX, IDC_OWNERDRAWN, 0, 0, 0, 7};
    dialog.onInit = [&](ScriptedDialog& d) {
        item = new RecordingItem(&d, IDC_OWNERDRAWN);
        menuItem = new RecordingItem(&d, 40001, ODT_MENU);  // known by its menu item id
        plain = new PlainItem(&d);
    };
    dialog.script = [&](ScriptedDialog& d) {
        COMPAREITEMSTRUCT compare = {ODT_LISTBOX, IDC_OWNERDRAWN, nullptr, 0, 5, 1, 9, 0};
        compared = ::SendMessageA(d.hwnd, WM_COMPAREITEM, IDC_OWNERDRAWN, reinterpret_cast<LPARAM>(&compare));
        compare.CtlID = IDC_OWNERDRAWN + 1;
        otherId = ::SendMessageA(d.hwnd, WM_COMPAREITEM, compare.CtlID, reinterpret_cast<LPARAM>(&compare));
        compare.CtlID = IDC_OWNERDRAWN;
        compare.CtlType = ODT_COMBOBOX;
        otherType = ::SendMessageA(d.hwnd, WM_COMPAREITEM, IDC_OWNERDRAWN, reinterpret_cast<LPARAM>(&compare));
        ::SendMessageA(d.hwnd, WM_MEASUREITEM, IDC_OWNERDRAWN, reinterpret_cast<LPARAM>(&measure));
        // The dispatch and the dialog's handler answer 1 for the records taken.
        HDC memory = ::CreateCompatibleDC(nullptr);
        DRAWITEMSTRUCT draw = {ODT_LISTBOX, IDC_OWNERDRAWN, 6, ODA_DRAWENTIRE, 0, nullptr, memory, {1, 2, 30, 10}, 4};
        WPMsg drawn = {WM_DRAWITEM, IDC_OWNERDRAWN, reinterpret_cast<LPARAM>(&draw), 0};
        taken.push_back(DispatchOwnerDraw(d.ownerDraw, drawn));
        DELETEITEMSTRUCT gone = {ODT_LISTBOX, IDC_OWNERDRAWN, 0, nullptr, 3};
        WPMsg deleted = {WM_DELETEITEM, IDC_OWNERDRAWN, reinterpret_cast<LPARAM>(&gone), 0};
        taken.push_back(d.OnOther(deleted));
        DRAWITEMSTRUCT menuDraw = {ODT_MENU, 0, 40001, ODA_DRAWENTIRE, 0, nullptr, memory, {0, 0, 5, 5}, 8};
        WPMsg menuDrawn = {WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menuDraw), 0};
        taken.push_back(d.OnOther(menuDrawn));
        ::DeleteDC(memory);
        WPMsg plainMeasured = {WM_MEASUREITEM, IDC_OWNERDRAWN, reinterpret_cast<LPARAM>(&plainMeasure), 0};
        taken.push_back(DispatchOwnerDraw(d.ownerDraw, plainMeasured));
        WPMsg plainCompares = {WM_COMPAREITEM, 0, reinterpret_cast<LPARAM>(&plainCompare), 99};
        d.OnOther(plainCompares);
        plainCompared = plainCompares.result;
        // Records of another control are left to default processing.
        auto otherDraw = OtherListItem<DRAWITEMSTRUCT>();
        auto otherMeasure = OtherListItem<MEASUREITEMSTRUCT>();
        auto otherDelete = OtherListItem<DELETEITEMSTRUCT>();
        auto otherCompare = OtherListItem<COMPAREITEMSTRUCT>();
        for (WPMsg other : {WPMsg{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&otherDraw), 0},
                            WPMsg{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&otherMeasure), 0},
                            WPMsg{WM_DELETEITEM, 0, reinterpret_cast<LPARAM>(&otherDelete), 0},
                            WPMsg{WM_COMPAREITEM, 0, reinterpret_cast<LPARAM>(&otherCompare), 0}})
            unmatchedTaken += d.OnOther(other) + DispatchOwnerDraw(d.ownerDraw, other);
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(-1, compared);
    EXPECT_EQ(0, otherId);
    EXPECT_EQ(0, otherType);
    // The dialog manager answers WM_MEASUREITEM itself once the procedure
    // took it; what counts is the record.
    EXPECT_EQ(40u, measure.itemWidth);
    EXPECT_EQ(17u, measure.itemHeight);
    EXPECT_EQ((std::vector<std::string>{"compare", "measure 7", "draw 4 item 6 action 1 at 1,2,30,10", "delete 3"}), item->calls);
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1}), taken);
    EXPECT_EQ((std::vector<std::string>{"draw 8 item 40001 action 1 at 0,0,5,5"}), menuItem->calls);
    EXPECT_EQ(0u, plainMeasure.itemWidth);
    EXPECT_EQ(0u, plainMeasure.itemHeight);
    EXPECT_EQ(0, plainCompared);
    EXPECT_EQ(0, unmatchedTaken);
    EXPECT_TRUE(platform.boxes.empty());
    delete item;
    delete menuItem;
    delete plain;
}

TEST(OwnerDraw, PlainWindowsKeepNoItems) {
    UseTestModule();
    RecordingPlatform platform;
    WPWin plain("KivoraTestPlainWindow");
    struct Item : WPOwnerDraw {
        explicit Item(WPWin* owner) : WPOwnerDraw(owner, 1) {}
        UINT GetCtlType() override { return ODT_BUTTON; }
        void Draw(WPItemDC&, UINT) override {}
    } item(&plain);
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_NE(std::string::npos, platform.boxes[0].text.find("\"FALSE\""));
}

TEST(EditPaste, ReplacesSelectionLeavesPastedTextSelectedAndMayEmptyClipboard) {
    UseTestModule();
    ScriptedDialog dialog("TESTDLG", nullptr, nullptr);
    std::string text;
    DWORD start = 0, end = 0, clipSize = 99, keptSize = 0, bitmapSize = 99;
    char clip[16] = {}, part[4] = "...";
    dialog.script = [&](ScriptedDialog& d) {
        WPEdit edit(&d, IDC_NAME);
        edit.SetText("abcdef");
        edit.SendMsg(EM_SETSEL, 2, 4);
        ASSERT_TRUE(theClipboard.Open(&d));
        theClipboard.Empty();
        EXPECT_EQ(0, theClipboard.SetClip(CF_TEXT, "XYZ", 4));
        theClipboard.Close();
        edit.Paste(0);
        theClipboard.Open(&d);
        keptSize = theClipboard.GetClip(CF_TEXT, clip, sizeof clip);
        theClipboard.GetClip(CF_TEXT, part, 2);  // no more than the buffer holds
        theClipboard.Close();
        edit.SendMsg(EM_SETSEL, 0, 1);
        edit.Paste(1);
        char buffer[32];
        edit.GetText(buffer, sizeof buffer);
        text = buffer;
        edit.SendMsg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        theClipboard.Open(&d);
        clipSize = theClipboard.GetClip(CF_TEXT, clip, sizeof clip);
        // A bitmap is no memory block: nothing to lock, nothing read.
        theClipboard.Empty();
        ::SetClipboardData(CF_BITMAP, ::CreateBitmap(1, 1, 1, 1, nullptr));
        bitmapSize = theClipboard.GetClip(CF_BITMAP, clip, sizeof clip);
        theClipboard.Empty();
        theClipboard.Close();
        d.Press(IDCANCEL);
    };
    dialog.Execute();
    EXPECT_GE(keptSize, 4u);
    EXPECT_LT(keptSize, 64u);  // not a block the size of the allocation flags
    EXPECT_STREQ("XYZ", clip);
    EXPECT_STREQ("XY.", part);
    EXPECT_EQ("XYZbXYZef", text);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(3u, end);
    EXPECT_EQ(0u, clipSize);
    EXPECT_EQ(0u, bitmapSize);
}

class MenuWindow : public WPMainWin {
public:
    MenuWindow() : WPMainWin("KivoraTestMenuWindow") {
        keepRunning = 1;
        Create();
        menu.Create();
        for (int id : {kCmdSave, kCmdEdit1, kCmdEdit2, kCmdEdit3, kCmdEdit4, kCmdEdit5})
            menu.Append(MF_STRING, id, "item");
        ::SetMenu(hwnd, menu.hmenu);
    }
    int CanEdit1() override { return canEdit[0]; }
    int CanEdit2() override { return canEdit[1]; }
    int CanEdit3() override { return canEdit[2]; }
    int canEdit[3] = {0, 0, 0};
    WPMenu menu;
};

bool Enabled(HMENU menu, int id) { return !(::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED); }

TEST(MenuState, SaveNeedsNameAndChangesEditItemsFollowTheirChecks) {
    UseTestModule();
    auto* win = new MenuWindow;
    HMENU menu = win->menu.hmenu;
    // One check at a time answers yes: swapping which check drives which
    // item enables the wrong items.
    const struct {
        int check;                // index into canEdit
        std::vector<int> enabled;  // of the edit items 1..5
    } cases[] = {
        {0, {kCmdEdit1, kCmdEdit2, kCmdEdit4}},
        {1, {kCmdEdit5}},
        {2, {kCmdEdit3}},
    };
    for (const auto& c : cases) {
        win->canEdit[0] = win->canEdit[1] = win->canEdit[2] = 0;
        win->canEdit[c.check] = 1;
        ::SendMessageA(win->hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
        std::vector<int> enabled;
        for (int id : {kCmdEdit1, kCmdEdit2, kCmdEdit3, kCmdEdit4, kCmdEdit5})
            if (Enabled(menu, id)) enabled.push_back(id);
        EXPECT_EQ(c.enabled, enabled) << "CanEdit" << c.check + 1;
    }
    EXPECT_FALSE(Enabled(menu, kCmdSave));
    win->SetFileName("x.txt");
    win->SetModified(1);
    ::SendMessageA(win->hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_TRUE(Enabled(menu, kCmdSave));
    // Another menu (a popup of the program's) is left alone.
    WPMenu other;
    other.CreatePopup();
    other.Append(MF_STRING | MF_GRAYED, kCmdSave, "save");
    ::SendMessageA(win->hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(other.hmenu), 0);
    EXPECT_FALSE(Enabled(other.hmenu, kCmdSave));
    WPMenu own(menu);
    EXPECT_EQ(1, win->OnInitMenu(own));
    EXPECT_EQ(nullptr, WPMenu::OfWindow(nullptr).hmenu);
    EXPECT_EQ(0, win->OnInitMenu(other));
    other.Destroy();
    win->Destroy();
}

// Answers the system's file dialog once it is open: types a file name and
// presses OK, or presses Cancel when there is no name to type.
std::string typedName;
bool hookBound = false;
void CALLBACK AnswerFileDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = ::FindWindowA("#32770", nullptr);
    if (!box || ::GetWindowThreadProcessId(box, nullptr) != ::GetCurrentThreadId()) return;
    ::KillTimer(nullptr, timer);
    hookBound = dynamic_cast<WPFileDlg*>(WPWin::GetWin(box)) != nullptr;
    if (!typedName.empty()) ::SetDlgItemTextA(box, 0x480 /* the file name field */, typedName.c_str());
    ::PostMessageA(box, WM_COMMAND, typedName.empty() ? IDCANCEL : IDOK, 0);
}

TEST(FileDialogs, RealDialogsRunWithTheFrameworkHook) {
    UseTestModule();
    char dir[MAX_PATH];
    ::GetTempPathA(sizeof dir, dir);
    const std::string existing = std::string(dir) + "kivora_open_test.txt";
    HANDLE file = ::CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(file);
    const struct {
        bool save;
        std::string typed;  // empty: Cancel
        bool chosen;        // whether Execute answers a choice
        std::string dest;   // what the caller's buffer then holds
    } cases[] = {
        {false, existing, true, existing},
        {true, "", false, "unchanged"},  // a cancelled save chose nothing
    };
    for (const auto& c : cases) {
        char chosen[128] = "unchanged";
        WPOpenDlg open(nullptr, chosen, "開く");
        WPSaveDlg save(nullptr, chosen, "保存");
        WPFileDlg& dialog = c.save ? static_cast<WPFileDlg&>(save) : open;
        typedName = c.typed;
        hookBound = false;
        ::SetTimer(nullptr, 0, 100, AnswerFileDialog);
        EXPECT_EQ(c.chosen, dialog.Execute() != 0) << c.save;
        EXPECT_TRUE(hookBound) << c.save;
        EXPECT_EQ(0, lstrcmpiA(c.dest.c_str(), chosen)) << chosen;
        EXPECT_EQ(nullptr, dialog.hwnd);  // unbound when the system dialog ended
    }
    ::DeleteFileA(existing.c_str());
    // Run again, a dialog opens with no name, not with the one chosen last.
    // Create answers the choice as Execute does, and a dialog the hook never
    // bound is not left as the one under construction.
    RecordingPlatform platform;
    platform.chosenFile = "C:\\first.txt";
    char chosen[128] = "";
    WPOpenDlg again(nullptr, chosen, "開く");
    EXPECT_EQ(1, again.Create());
    platform.chosenFile.clear();
    EXPECT_EQ(0, again.Create());
    ASSERT_EQ(2u, platform.fileCalls.size());
    EXPECT_EQ("", platform.fileCalls[1].shownName);
    EXPECT_EQ(nullptr, dialogUnderConstruction);
}

}  // namespace
