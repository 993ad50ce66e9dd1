// A row of volley's status window: one bordered child window per entry,
// showing the entry's label.
#pragma once

#include "volleyentry.h"
#include "wpwin.h"

class EntryRow : public WPWin {
public:
    // Creates the row window at once, as a child of parent with the entry's
    // index as its id, and moves it to the entry's rectangle. When the
    // window cannot be made, hwnd stays null.
    EntryRow(WPWin* parent, const Entry& entry);
    ~EntryRow() override = default;

    // The label, one line height in from the left, vertically centred, cut
    // at the right edge.
    int OnPaint() override;

    // The rectangle at creation; only its height is used afterwards.
    WPRect rect;
    char label[kLabelSize] = {};
};

// What the entry list does with rows (see EntryList::moveRow, paintRow).
void MoveEntryRow(EntryRow* row, const EntryRect& rect);
void PaintEntryRow(EntryRow* row);
