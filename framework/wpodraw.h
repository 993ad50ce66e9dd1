// Owner-drawn items: objects that draw, measure, compare and delete the
// items of an owner-drawn control (or menu) of a dialog or frame window.
#ifndef KIVORA_WPODRAW_H
#define KIVORA_WPODRAW_H

#include <windows.h>

#include "wpwin.h"

class WPItemDC;

class WPOwnerDraw {
public:
    // Registers the item with its owner (assertion "win" without one).
    WPOwnerDraw(WPWin* owner, int id);

    // The operations, in their fixed order.
    virtual UINT GetCtlType() = 0;  // ODT_LISTBOX, ODT_BUTTON, ...
    virtual void Draw(WPItemDC& dc, UINT action) = 0;
    virtual void Measure(SIZE* size, ULONG_PTR itemData);        // 0 x 0
    virtual int Compare(ULONG_PTR itemData1, ULONG_PTR itemData2);  // 0
    virtual void DeleteItem(ULONG_PTR itemData);                // nothing

    WPOwnerDraw* next = nullptr;
    WORD id = 0;

protected:
    // Items belong to the program, which ends them; never through this base.
    ~WPOwnerDraw() = default;
};

// Hands an owner-draw message (WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM,
// WM_COMPAREITEM) to the matching item of a list. Returns 1 when an item
// took it, with msg.result set (the comparison for WM_COMPAREITEM, else
// TRUE); 0 for other messages and when no item matches.
int DispatchOwnerDraw(WPOwnerDraw* list, WPMsg& msg);

#endif
