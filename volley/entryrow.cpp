#include "entryrow.h"

#include "wpgdi.h"
#include "wptext.h"

namespace volley {
namespace {

// Every row shares this class; its name is one blank.
const char kRowClass[] = " ";

// One line, left-aligned, vertically centred; no ellipsis, so a long label
// is simply cut.
const UINT kLabelFormat = DT_SINGLELINE | DT_VCENTER;
static_assert(kLabelFormat == 0x24, "label drawing format");

}  // namespace
}  // namespace volley

EntryRow::EntryRow(WPWin* parent, const Entry& entry)
    : WPWin(volley::kRowClass, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.index))),
      rect(entry.rect.left, entry.rect.top, entry.rect.right, entry.rect.bottom) {
    CopyText(label, kLabelSize, entry.label);
    createTemplate.cursor = nullptr;
    createTemplate.style |= WS_BORDER;
    if (!Create()) return;
    MoveEntryRow(this, entry.rect);
}

int EntryRow::OnPaint() {
    WPPaintDC dc(this);
    WPRect client;
    GetClientRect(client);
    // The band to the left of the text, one line height wide, stays empty.
    RECT text = {client.left + (rect.bottom - rect.top), client.top, client.right, client.bottom};
    DrawTextA(dc.hdc, label, -1, &text, volley::kLabelFormat);
    return 1;
}

void MoveEntryRow(EntryRow* row, const EntryRect& rect) {
    MoveWindow(row->hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void PaintEntryRow(EntryRow* row) { row->OnPaint(); }
