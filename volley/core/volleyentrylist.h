// The ordered list of entries that volley runs and shows, one row each.
#ifndef VOLLEY_ENTRYLIST_H
#define VOLLEY_ENTRYLIST_H

#include "volleyentry.h"

#include <stdint.h>

class EntryList {
public:
    EntryList() = default;
    // The list owns its entries; they live until the program ends.
    ~EntryList();
    EntryList(const EntryList&) = delete;
    EntryList& operator=(const EntryList&) = delete;

    int Count() const { return count_; }

    // Links entry at the end: its index becomes the count before, its rect
    // nextRect; then nextRect moves down by lineHeight. Returns entry.
    Entry* Append(Entry* entry);

    // The entry at position (from 0); past the end the last one, before the
    // start the first one; null for an empty list.
    Entry* At(int position) const;

    // Iteration through cursor; Next gives null after the last entry.
    Entry* First();
    Entry* Next();

    Entry* head = nullptr;
    Entry* cursor = nullptr;
    int32_t lineHeight = 0;
    int32_t rowWidth = 0;
    EntryRect nextRect = {0, 0, 0, 0};

private:
    Entry* last_ = nullptr;
    int count_ = 0;
};

#endif
