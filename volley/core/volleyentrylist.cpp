#include "volleyentrylist.h"

namespace {

// Rows beyond the 32-bit range cannot be shown anyway; wrap there instead of
// overflowing.
int32_t MoveDown(int32_t edge, int32_t by) {
    return static_cast<int32_t>(static_cast<uint32_t>(edge) + static_cast<uint32_t>(by));
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
