#include "wpctrl.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include "wpapp.h"
#include "wpdiag.h"
#include "wpdlg.h"
#include "wpgdi.h"
#include "wpglob.h"
#include "wpplatform.h"
#include "wpscrollstep.h"
#include "wptext.h"

// ---- Base -----------------------------------------------------------------

WPCtrl::WPCtrl(const char* className, WPWin* parent, int id, DWORD extraStyle)
    : WPWin(className, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))),
      className_(className),
      parentWin_(parent),
      id_(id),
      style_(WS_CHILD | WS_VISIBLE | extraStyle) {
    createTemplate.style |= extraStyle;
    if (parent && parent->hwnd) {
        HWND item = ::GetDlgItem(parent->hwnd, id);
        if (item)
            Attach(item);
    }
}

int WPCtrl::Create() {
    if (hwnd)
        return 1;
    HWND parentHwnd = parentWin_ ? parentWin_->hwnd : nullptr;
    HWND item = parentHwnd ? ::GetDlgItem(parentHwnd, id_) : nullptr;
    if (!item) {
        // The shared template may describe another window by now: the
        // control keeps its own class, style and id.
        item = ::CreateWindowExA(0, className_, "", style_, 0, 0, 0, 0, parentHwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), wpApp.hinst,
                                 nullptr);
    }
    if (item)
        Attach(item);
    return hwnd != nullptr;
}

int32_t* WPCtrl::NumberBuffer() const {
    // A field smaller than a number is never written past its end.
    if (!buffer || bufSize < static_cast<int>(sizeof(int32_t)))
        return nullptr;
    return static_cast<int32_t*>(buffer);
}

// ---- Icons ----------------------------------------------------------------

int WPIconCtrl::OnPaint() {
    const WPMsg paint = {WM_PAINT, 0, 0, 0};
    CallOldProc(paint);
    if (icon) {
        WPWinDC dc(this);
        dc.DrawIcon(0, 0, icon);
    }
    return 1;
}

// ---- Buttons --------------------------------------------------------------

WPCtrl* WPButton::Make(WPDialog* dialog, int id) {
    return new WPButton(dialog, id);
}

void WPButton::GetData() {
    if (int32_t* value = NumberBuffer())
        *value = GetCheck();
}

void WPButton::SetData() {
    if (int32_t* value = NumberBuffer())
        SetCheck(*value);
}

// ---- Edit fields ----------------------------------------------------------

WPCtrl* WPEdit::Make(WPDialog* dialog, int id) {
    return new WPEdit(dialog, id);
}

WPCtrl* WPEdit::MakeDigits(WPDialog* dialog, int id) {
    return new WPEdit(dialog, id, "0123456789");
}

void WPEdit::GetData() {
    if (!buffer || bufSize <= 0)
        return;
    char* text = static_cast<char*>(buffer);
    GetText(text, bufSize);
    // A text cut to the field must not end in half a double-byte character.
    DropHalfCharacterAtEnd(text);
}

void WPEdit::SetData() {
    if (!buffer || bufSize <= 0)
        return;
    const char* text = static_cast<const char*>(buffer);
    if (memchr(text, '\0', bufSize)) {
        SetText(text);
    } else {
        // A field without its terminator is read no further than its size.
        char* copy = static_cast<char*>(malloc(bufSize));
        if (copy) {
            CopySpan(copy, bufSize, text, bufSize - 1);
            SetText(copy);
            free(copy);
        }
    }
    SendMsg(EM_LIMITTEXT, bufSize - 1);
}

int WPEdit::OnSetFocus(WPWin*) {
    SendMsg(EM_SETSEL, 0, 0x7FFF);
    return 0;
}

int WPEdit::OnKey(WPMsg& msg) {
    if (!allowed || msg.msg != WM_CHAR)
        return 0;
    // Both bytes of a double-byte character may come in one message.
    if (msg.wParam > 0xFF)
        return 0;
    if (!filter_.Refuses(static_cast<unsigned char>(msg.wParam), allowed))
        return 0;
    Platform().Beep(0);
    return 1;
}

int WPEdit::LoadFile(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &info))
        return 0;
    // Beyond what a 32-bit process can hold, the file counts as too big.
    unsigned long long size =
        (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    char* text = size < 0x7FFFFFFFull ? static_cast<char*>(malloc(size + 1)) : nullptr;
    if (!text) {
        WPError("File too big.");
        return 0;
    }
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        WPError("Unable to open file '%s'.", path);
        free(text);
        return 0;
    }
    DWORD read = 0;
    // A file that shrank meanwhile gives what was there.
    if (!::ReadFile(file, text, static_cast<DWORD>(size), &read, nullptr))
        read = 0;
    ::CloseHandle(file);
    text[read] = '\0';
    SetText(text);
    free(text);
    return 1;
}

int WPEdit::SaveFile(const char* fileName) {
    // After OK on the assertion there is no file to write.
    if (!WPCheck(fileName != nullptr && *fileName != '\0', "*fname"))
        return 0;
    // Room for the text and the terminator the system writes after it. A
    // window answers what length it likes: one that leaves no such room is
    // too big.
    int length = GetTextLength();
    int size = length != INT_MAX ? length + 1 : 0;
    char* text = size > 0 ? static_cast<char*>(malloc(size)) : nullptr;
    if (!text) {
        WPError("File too big.");
        return 0;
    }
    length = GetText(text, size);
    HANDLE file = ::CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    bool saved = false;
    if (file == INVALID_HANDLE_VALUE) {
        WPError("Unable to open file '%s'.", fileName);
    } else {
        // A short write loses part of the document: no success then, so the
        // caller keeps its modified mark and with it the save prompt.
        DWORD written = 0;
        saved = ::WriteFile(file, text, length, &written, nullptr) &&
                written == static_cast<DWORD>(length);
        saved = ::CloseHandle(file) && saved;
    }
    free(text);
    return saved ? 1 : 0;
}

void WPEdit::Paste(int emptyClipboard) {
    DWORD start = 0;
    SendMsg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMsg(WM_PASTE);
    DWORD caret = 0;
    SendMsg(EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    if (emptyClipboard && theClipboard.Open(this)) {
        theClipboard.Empty();
        theClipboard.Close();
    }
    SendMsg(EM_SETSEL, start, caret);
}

// ---- Radio groups ---------------------------------------------------------

WPButton* WPRadioGroup::Button(int index) {
    int id = GetId() + 1 + index;
    WPWin* parent = GetParent();
    WPWin* bound = parent ? parent->GetChild(id) : nullptr;
    auto* button = dynamic_cast<WPButton*>(bound);
    if (!button && !bound && parent)
        button = new WPButton(parent, id);
    if (button && !button->hwnd) {
        // No such item: the object would have no window to work on.
        delete button;
        button = nullptr;
    }
    WPCheck(button != nullptr, "butn");
    return button;
}

int WPRadioGroup::GetIndex() {
    for (int i = 0; i < count; ++i) {
        WPButton* button = Button(i);
        if (button && button->GetCheck() == BST_CHECKED)
            return i;
    }
    return -1;
}

void WPRadioGroup::SetIndex(int index) {
    for (int i = 0; i < count; ++i)
        if (WPButton* button = Button(i))
            button->SetCheck(i == index ? BST_CHECKED : BST_UNCHECKED);
}

void WPRadioGroup::GetStates(int32_t* states) {
    for (int i = 0; i < count; ++i) {
        WPButton* button = Button(i);
        states[i] = button ? button->GetCheck() : 0;
    }
}

void WPRadioGroup::SetStates(const int32_t* states) {
    for (int i = 0; i < count; ++i)
        if (WPButton* button = Button(i))
            button->SetCheck(states[i]);
}

void WPRadioGroup::SetAll(int32_t state) {
    for (int i = 0; i < count; ++i)
        if (WPButton* button = Button(i))
            button->SetCheck(state);
}

void WPRadioGroup::GetData() {
    if (int32_t* value = NumberBuffer())
        *value = GetIndex();
}

void WPRadioGroup::SetData() {
    if (int32_t* value = NumberBuffer())
        SetIndex(*value);
}

// ---- Lists ----------------------------------------------------------------

namespace {
struct ListMessages {
    UINT reset, add, setData, setSelection, getSelection;
};
const ListMessages kListBox = {LB_RESETCONTENT, LB_ADDSTRING, LB_SETITEMDATA, LB_SETCURSEL,
                               LB_GETCURSEL};
const ListMessages kComboBox = {CB_RESETCONTENT, CB_ADDSTRING, CB_SETITEMDATA, CB_SETCURSEL,
                                CB_GETCURSEL};

void FillList(WPCtrl& list, const ListMessages& m, WPItemSource* source, int selection,
              int redraw) {
    list.SendMsg(m.reset);
    list.SendMsg(WM_SETREDRAW, FALSE);
    char text[80];
    int32_t itemData = 0;
    for (bool more = source && source->First(text, sizeof text, &itemData); more;
         more = source->Next(text, sizeof text, &itemData)) {
        text[sizeof text - 1] = '\0';  // a source that filled it all is cut
        DropHalfCharacterAtEnd(text);   // and keeps no half character
        LRESULT index = list.SendMsg(m.add, 0, reinterpret_cast<LPARAM>(text));
        if (index >= 0)
            list.SendMsg(m.setData, index, itemData);
    }
    list.SendMsg(WM_SETREDRAW, TRUE);
    if (redraw)
        list.Invalidate(TRUE);
    list.SendMsg(m.setSelection, selection);
}
}  // namespace

void WPListBox::Fill(WPItemSource* itemSource, int selection, int redraw) {
    source = itemSource;
    FillList(*this, kListBox, itemSource, selection, redraw);
}

void WPListBox::GetData() {
    if (int32_t* value = NumberBuffer())
        *value = static_cast<int32_t>(SendMsg(kListBox.getSelection));
}

void WPListBox::SetData() {
    if (int32_t* value = NumberBuffer())
        SendMsg(kListBox.setSelection, *value);
}

void WPComboBox::Fill(WPItemSource* itemSource, int selection, int redraw) {
    source = itemSource;
    FillList(*this, kComboBox, itemSource, selection, redraw);
}

void WPComboBox::GetData() {
    if (int32_t* value = NumberBuffer())
        *value = static_cast<int32_t>(SendMsg(kComboBox.getSelection));
}

void WPComboBox::SetData() {
    if (int32_t* value = NumberBuffer())
        SendMsg(kComboBox.setSelection, *value);
}

// ---- Scroll bars ----------------------------------------------------------

WPScrollBar::WPScrollBar(WPWin* parent, int id, int whichBar, int pageStep, int lineStep)
    : WPCtrl("ScrollBar", parent, id), bar(whichBar), page(pageStep), line(lineStep),
      barOwner_(parent) {}

HWND WPScrollBar::BarWindow() const {
    if (bar == SB_CTL)
        return hwnd;
    return barOwner_ ? barOwner_->hwnd : nullptr;
}

void WPScrollBar::ScrollTo(int code, int position) {
    HWND window = BarWindow();
    int current = ::GetScrollPos(window, bar);
    ::SetScrollPos(window, bar, ScrollTarget(code, current, position, line, page), TRUE);
}

void WPScrollBar::GetData() {
    if (int32_t* value = NumberBuffer())
        *value = ::GetScrollPos(BarWindow(), bar);
}

void WPScrollBar::SetData() {
    if (int32_t* value = NumberBuffer())
        ::SetScrollPos(BarWindow(), bar, *value, TRUE);
}
