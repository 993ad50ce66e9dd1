// Fuzzes volley's response-file reader on the bytes of a file: every entry
// keeps its texts inside their buffers, its numbers within what the grammar
// gives, its place in the list, and reading twice gives the same list.
#include "fuzz_checks.h"
#include "volleyresponsefile.h"

#include <stdint.h>

#include <string>

namespace {

const int kLineHeight = 16;

struct Reading {
    EntryList list;
    WPNoticeList notices;
    int status = -1;

    Reading(const char* data, size_t size) {
        list.lineHeight = kLineHeight;
        list.rowWidth = 15 * kLineHeight;
        list.nextRect = {0, 0, 15 * kLineHeight, kLineHeight};
        status = ReadResponseText("fuzz.rsp", data, size, list, &notices);
    }
};

void CheckLaunch(const LaunchEntry& entry, bool fromFile) {
    auto file = HeapText(entry.file, sizeof entry.file, "file terminated");
    auto params = HeapText(entry.params, sizeof entry.params, "params terminated");
    auto dir = HeapText(entry.dir, sizeof entry.dir, "dir terminated");
    auto label = HeapText(entry.label, sizeof entry.label, "label terminated");
    Require(entry.show == 0 || entry.show == 1 || entry.show == 3 || entry.show == 6, "show from the table");
    Require(params[0] != '\0' || dir[0] == '\0', "empty fields collapse: no dir without params");
    for (const char* text : {file.get(), params.get(), dir.get()}) {
        Require(!HasChar(text, ','), "fields hold no comma");
        Require(!fromFile || !HasChar(text, '\n'), "fields of a file hold no line feed");
    }
    Require(!fromFile || file[0] != '\0', "a line's launch names a file");

    std::string expected = file.get();
    if (params[0] != '\0' && strcmp(params.get(), " ") != 0) expected = expected + "-" + params.get();
    if (fromFile)
        Require(expected == label.get(), "the label is file or file-params");
    else
        Require(expected.compare(0, strlen(label.get()), label.get()) == 0, "a cut label is a prefix");
}

void CheckSleep(const SleepEntry& entry) {
    auto label = HeapText(entry.label, sizeof entry.label, "label terminated");
    char expected[64];
    snprintf(expected, sizeof expected, "Sleep %d ms", entry.ms);
    Require(strcmp(expected, label.get()) == 0, "the label is Sleep %d ms");
}

void CheckList(const Reading& r) {
    Require(r.status == kFileRead || r.status == kStoppedAtTimeLine, "status of a text");
    Require(r.notices.Count() == (r.status == kStoppedAtTimeLine ? 1 : 0), "one notice for a stop");
    for (int i = 0; i < r.notices.Count(); ++i) {
        const WPNotice& notice = r.notices.At(i);
        HeapText(notice.caption, sizeof notice.caption, "caption terminated");
        HeapText(notice.text, sizeof notice.text, "notice text terminated");
        Require(notice.style == 0 && notice.beepFirst && notice.ownedByMainWindow, "notice style");
        Require(strcmp(notice.caption, "error") == 0, "notice caption");
        static const char kEnd[] = ".\nThat line and the lines after it are not run.";
        size_t length = strlen(notice.text);
        Require(length >= sizeof kEnd - 1 && strcmp(notice.text + length - (sizeof kEnd - 1), kEnd) == 0,
                "the notice is whole");
    }
    int position = 0;
    for (const Entry* entry = r.list.head; entry; entry = entry->next, ++position) {
        Require(entry->index == position, "index is the position");
        Require(entry->rect.left == 0 && entry->rect.right == 15 * kLineHeight &&
                    entry->rect.top == position * kLineHeight && entry->rect.bottom == (position + 1) * kLineHeight,
                "rows stack");
        Require(entry->row == nullptr, "no row yet");
        if (auto* launch = dynamic_cast<const LaunchEntry*>(entry))
            CheckLaunch(*launch, true);
        else if (auto* sleep = dynamic_cast<const SleepEntry*>(entry))
            CheckSleep(*sleep);
        else
            Require(false, "only launch and sleep entries");
    }
    Require(position == r.list.Count(), "Count matches the links");
}

bool SameEntry(const Entry* a, const Entry* b) {
    if (a->index != b->index || strcmp(a->label, b->label) != 0) return false;
    auto* la = dynamic_cast<const LaunchEntry*>(a);
    auto* lb = dynamic_cast<const LaunchEntry*>(b);
    if (la || lb)
        return la && lb && strcmp(la->file, lb->file) == 0 && strcmp(la->params, lb->params) == 0 &&
               strcmp(la->dir, lb->dir) == 0 && la->show == lb->show;
    return static_cast<const SleepEntry*>(a)->ms == static_cast<const SleepEntry*>(b)->ms;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader gets the bytes as they are, NULs included, in a buffer of
    // exactly that size, so a read past the end is caught.
    std::unique_ptr<char[]> bytes(new char[size ? size : 1]);
    if (size) memcpy(bytes.get(), data, size);

    Reading first(bytes.get(), size);
    CheckList(first);

    Reading second(bytes.get(), size);
    Require(first.status == second.status && first.list.Count() == second.list.Count(), "reading is deterministic");
    for (const Entry *a = first.list.head, *b = second.list.head; a; a = a->next, b = b->next)
        Require(SameEntry(a, b), "reading gives the same entries");

    // The parsers also take texts longer than a line when called directly.
    std::string text(bytes.get(), size);
    EntryList direct;
    CheckLaunch(*ParseLaunchLine(text.c_str(), direct), false);
    if (SleepEntry* sleep = ParseTimeLine(text.c_str(), direct)) CheckSleep(*sleep);
    return 0;
}
