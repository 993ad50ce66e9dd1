#include "wpodraw.h"

#include "wpdiag.h"
#include "wpgdi.h"

WPOwnerDraw::WPOwnerDraw(WPWin* owner, int itemId) : id(static_cast<WORD>(itemId)) {
    if (WPCheck(owner != nullptr, "win"))
        owner->AddOwnerDraw(this);
}

void WPOwnerDraw::Measure(SIZE* size, ULONG_PTR) {
    size->cx = 0;
    size->cy = 0;
}

int WPOwnerDraw::Compare(ULONG_PTR, ULONG_PTR) { return 0; }

void WPOwnerDraw::DeleteItem(ULONG_PTR) {}

namespace {
// The four records start alike: control type, then control id. Menus carry
// no control id; their items are matched by the menu item id instead.
WPOwnerDraw* Find(WPOwnerDraw* list, UINT type, UINT controlId, UINT menuItemId) {
    UINT id = type == ODT_MENU ? menuItemId : controlId;
    for (WPOwnerDraw* item = list; item; item = item->next)
        if (item->GetCtlType() == type && item->id == static_cast<WORD>(id))
            return item;
    return nullptr;
}
}  // namespace

int DispatchOwnerDraw(WPOwnerDraw* list, WPMsg& msg) {
    switch (msg.msg) {
    case WM_DRAWITEM: {
        auto* record = reinterpret_cast<DRAWITEMSTRUCT*>(msg.lParam);
        WPOwnerDraw* item = Find(list, record->CtlType, record->CtlID, record->itemID);
        if (!item)
            return 0;
        WPItemDC dc(record);
        item->Draw(dc, record->itemAction);
        msg.result = TRUE;
        return 1;
    }
    case WM_MEASUREITEM: {
        auto* record = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.lParam);
        WPOwnerDraw* item = Find(list, record->CtlType, record->CtlID, record->itemID);
        if (!item)
            return 0;
        SIZE size = {static_cast<LONG>(record->itemWidth), static_cast<LONG>(record->itemHeight)};
        item->Measure(&size, record->itemData);
        record->itemWidth = size.cx;
        record->itemHeight = size.cy;
        msg.result = TRUE;
        return 1;
    }
    case WM_DELETEITEM: {
        auto* record = reinterpret_cast<DELETEITEMSTRUCT*>(msg.lParam);
        WPOwnerDraw* item = Find(list, record->CtlType, record->CtlID, record->itemID);
        if (!item)
            return 0;
        item->DeleteItem(record->itemData);
        msg.result = TRUE;
        return 1;
    }
    case WM_COMPAREITEM: {
        auto* record = reinterpret_cast<COMPAREITEMSTRUCT*>(msg.lParam);
        WPOwnerDraw* item = Find(list, record->CtlType, record->CtlID, 0);
        if (!item)
            return 0;
        msg.result = item->Compare(record->itemData1, record->itemData2);
        return 1;
    }
    default:
        return 0;
    }
}
