#include "volleyentrylist.h"

void (*EntryList::moveRow)(EntryRow* row, const EntryRect& rect) = nullptr;
void (*EntryList::paintRow)(EntryRow* row) = nullptr;

namespace {

// Rows beyond the 32-bit range cannot be shown anyway; wrap there instead of
// overflowing.
int32_t MoveDown(int32_t edge, int32_t by) {
    return static_cast<int32_t>(static_cast<uint32_t>(edge) + static_cast<uint32_t>(by));
}

int32_t MoveUp(int32_t edge, int32_t by) {
    return static_cast<int32_t>(static_cast<uint32_t>(edge) - static_cast<uint32_t>(by));
}

}  // namespace

EntryList::~EntryList() {
    while (head) {
        Entry* following = head->next;
        delete head;
        head = following;
    }
}

Entry* EntryList::Append(Entry* entry) {
    entry->next = nullptr;
    entry->index = count_;
    entry->rect = nextRect;
    nextRect.top = MoveDown(nextRect.top, lineHeight);
    nextRect.bottom = MoveDown(nextRect.bottom, lineHeight);
    if (last_)
        last_->next = entry;
    else
        head = entry;
    last_ = entry;
    ++count_;
    return entry;
}

Entry* EntryList::At(int position) const {
    Entry* entry = head;
    for (int i = 0; i < position && entry && entry->next; ++i) entry = entry->next;
    return entry;
}

Entry* EntryList::First() {
    cursor = head;
    return cursor;
}

Entry* EntryList::Next() {
    if (cursor) cursor = cursor->next;
    return cursor;
}

int EntryList::RunAll(WindowGone windowGone, const void* window) {
    int position = 0;
    for (Entry* entry = First(); entry; entry = Next()) {
        if (!entry->Execute()) return position;
        if (windowGone && windowGone(window)) return kRunEnded;
        ScrollUp(entry);
        RepaintRows();
        ++position;
    }
    return -1;
}

void EntryList::ScrollUp(Entry* entry) {
    for (; entry; entry = entry->next) {
        entry->rect.top = MoveUp(entry->rect.top, lineHeight);
        entry->rect.bottom = MoveUp(entry->rect.bottom, lineHeight);
        if (entry->row && moveRow) moveRow(entry->row, entry->rect);
    }
}

void EntryList::RepaintRows() {
    for (Entry* entry = head; entry; entry = entry->next)
        if (entry->row && paintRow) paintRow(entry->row);
}
