// Controls: window objects bound to a dialog's items (or made as child
// windows), each with a value that a control map ties to a record field.
#ifndef KIVORA_WPCTRL_H
#define KIVORA_WPCTRL_H

#include <stdint.h>

#include "wpcharfilter.h"
#include "wpwin.h"

class WPDialog;

class WPCtrl : public WPWin {
public:
    // A child of parent with the id; extraStyle is added to WS_CHILD |
    // WS_VISIBLE. Binds at once to the parent's item with that id when the
    // parent window exists.
    WPCtrl(const char* className, WPWin* parent, int id, DWORD extraStyle = 0);

    // Binds to the parent's item with this id, or creates the child window.
    int Create() override;

    // Added operations, in this order.
    // Copies the control's value into buffer (nothing without a buffer).
    virtual void GetData() = 0;
    // Copies buffer into the control (nothing without a buffer).
    virtual void SetData() = 0;

    void SetBuffer(void* value, int size) {
        buffer = value;
        bufSize = size;
    }

    void* buffer = nullptr;
    int bufSize = 0;

protected:
    // The value as a 32-bit number, or none when the buffer cannot hold one.
    int32_t* NumberBuffer() const;

private:
    const char* className_;
    WPWin* parentWin_;
    int id_;
    DWORD style_;
};

// A static that paints an icon, when it has one, at its own top-left corner.
// It has no value.
class WPIconCtrl : public WPCtrl {
public:
    WPIconCtrl(WPWin* parent, int id, HICON iconToShow = nullptr)
        : WPCtrl("Static", parent, id), icon(iconToShow) {}
    // The static paints itself first (which also validates it), then the icon
    // goes on top through a window context on the control.
    int OnPaint() override;
    void GetData() override {}
    void SetData() override {}

    HICON icon;
};

// A push button, check box or radio button; its value is the check state.
class WPButton : public WPCtrl {
public:
    WPButton(WPWin* parent, int id, DWORD extraStyle = 0) : WPCtrl("Button", parent, id, extraStyle) {}
    // Factory for control maps: a button object on the heap.
    static WPCtrl* Make(WPDialog* dialog, int id);
    void GetData() override;
    void SetData() override;
    int GetCheck() { return static_cast<int>(SendMsg(BM_GETCHECK)); }
    void SetCheck(int state) { SendMsg(BM_SETCHECK, state); }
};

// An edit field; its value is its text. allowed, when set, lists the only
// single-byte characters the user may type.
class WPEdit : public WPCtrl {
public:
    WPEdit(WPWin* parent, int id, const char* allowedChars = nullptr, DWORD extraStyle = 0)
        : WPCtrl("Edit", parent, id, extraStyle), allowed(allowedChars) {}
    // Factory for control maps: an edit object on the heap, no filter.
    static WPCtrl* Make(WPDialog* dialog, int id);
    // Factory for control maps: digits only.
    static WPCtrl* MakeDigits(WPDialog* dialog, int id);

    void GetData() override;
    // Sets the text, then limits typing to bufSize - 1 characters.
    void SetData() override;
    // Selects all text and lets default processing go on.
    int OnSetFocus(WPWin* previous) override;
    // Refuses a typed character outside allowed with a beep.
    int OnKey(WPMsg& msg) override;

    // The whole file as the text; 0 on failure (reported).
    int LoadFile(const char* path);
    // The text into the file, created or truncated; 1 only when every byte
    // was written, 0 on every failure.
    int SaveFile(const char* fileName);
    // Pastes the clipboard's text over the selection and leaves the pasted
    // text selected; emptyClipboard: empties the clipboard afterwards.
    void Paste(int emptyClipboard);

    const char* allowed = nullptr;

private:
    CharFilter filter_;
};

// N radio buttons with the N ids after the group's own id. Its value is
// the index of the checked button (-1 for none).
class WPRadioGroup : public WPCtrl {
public:
    WPRadioGroup(WPWin* parent, int id, int buttonCount)
        : WPCtrl("Button", parent, id, BS_GROUPBOX), count(buttonCount) {}
    // Index of the first checked button, or -1.
    int GetIndex();
    // Checks button index and clears the others.
    void SetIndex(int index);
    // The check state of every button; states holds count values.
    void GetStates(int32_t* states);
    void SetStates(const int32_t* states);
    void SetAll(int32_t state);
    void GetData() override;
    void SetData() override;

    int count;

private:
    // The object of the index-th button, made when it has none.
    WPButton* Button(int index);
};

// Where a list or combo box takes its items from: First, then Next until
// false; each gives a text (at most 79 characters) and a 32-bit value.
class WPItemSource {
public:
    virtual bool First(char* text, int size, int32_t* itemData) = 0;
    virtual bool Next(char* text, int size, int32_t* itemData) = 0;

protected:
    ~WPItemSource() = default;
};

// A list box; its value is the selected index.
class WPListBox : public WPCtrl {
public:
    WPListBox(WPWin* parent, int id, DWORD extraStyle = 0) : WPCtrl("ListBox", parent, id, extraStyle) {}
    // Refills from source and selects the item at selection.
    void Fill(WPItemSource* source, int selection, int redraw);
    void GetData() override;
    void SetData() override;
    WPItemSource* source = nullptr;
};

// A combo box; its value is the selected index.
class WPComboBox : public WPCtrl {
public:
    WPComboBox(WPWin* parent, int id, DWORD extraStyle = 0) : WPCtrl("ComboBox", parent, id, extraStyle) {}
    void Fill(WPItemSource* source, int selection, int redraw);
    void GetData() override;
    void SetData() override;
    WPItemSource* source = nullptr;
};

// A scroll bar control (bar SB_CTL) or the parent window's own bar
// (SB_HORZ, SB_VERT); its value is the position.
class WPScrollBar : public WPCtrl {
public:
    WPScrollBar(WPWin* parent, int id, int whichBar = SB_CTL, int pageStep = 10, int lineStep = 1);
    // Moves by a line or a page, or to the thumb's position.
    void ScrollTo(int code, int position);
    void GetData() override;
    void SetData() override;

    int bar;
    int page;
    int line;

private:
    // The window that owns the bar: the control, or the parent window.
    HWND BarWindow() const;
    WPWin* barOwner_;
};

#endif
