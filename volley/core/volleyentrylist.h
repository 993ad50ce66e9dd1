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

    // Whether the window that shows the rows has gone: a launch may run a
    // loop of the shell's (a DDE conversation, a security prompt) in which
    // the user closes it, and its rows with it.
    typedef bool (*WindowGone)(const void* window);

    // Performs the entries in order; after each one that succeeds, scrolls it
    // and the later ones up a line and repaints the rows. Returns the index of
    // the first entry that failed (the later ones are not performed), or -1
    // when all were performed. When windowGone (window) says so after an
    // entry, the run ends there, touching no row: kRunEnded.
    static constexpr int kRunEnded = -2;
    int RunAll(WindowGone windowGone = nullptr, const void* window = nullptr);

    // Moves entry and every later entry one line up, rows included. Earlier
    // entries are not touched.
    void ScrollUp(Entry* entry);

    // Paints every entry's row now, through an iteration of its own (so a
    // run's cursor is left alone): the run holds the thread, so no paint
    // message would arrive until it is over.
    void RepaintRows();

    // What the window code does with a row (unset, rows are left alone):
    // move it to a rectangle (repainting), and paint it at once.
    static void (*moveRow)(EntryRow* row, const EntryRect& rect);
    static void (*paintRow)(EntryRow* row);

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
