#include "volleyresponsefile.h"

#include "volleylinereader.h"
#include "wpformat.h"
#include "wptext.h"

#include <stdio.h>
#include <string.h>

#include <memory>

namespace {

const char kFieldSeparators[] = ",";
const char kTimeKeyword[] = "#time";

bool IsTimeKeyword(const char* field, int length) {
    return length == static_cast<int>(sizeof kTimeKeyword) - 1 && memcmp(field, kTimeKeyword, length) == 0;
}

// Like volley's other error boxes: a beep, then "error" with OK only, owned
// by the main window (which exists by the time the file is read).
WPNotice TimeWithoutValue(const char* name, int fileLine) {
    // The name is cut to 255 characters, so the text always fits whole.
    char shownName[256];
    CopyText(shownName, sizeof shownName, name);
    char text[sizeof(WPNotice::text)];
    FormatText(text, sizeof text,
               "#time without a value in line %d of %s.\nThat line and the lines after it are not run.", fileLine,
               shownName);
    return MakeNotice("error", text, 0, true, true);
}

// A file's bytes in one block that grows as the file is read.
class FileBytes {
public:
    void Append(const char* bytes, size_t count) {
        if (count > capacity_ - size_) Grow(size_ + count);
        memcpy(block_.get() + size_, bytes, count);
        size_ += count;
    }
    const char* Data() const { return block_.get(); }
    size_t Size() const { return size_; }

private:
    void Grow(size_t needed) {
        size_t capacity = capacity_ ? capacity_ : kFirstCapacity;
        while (capacity < needed) capacity = capacity <= kMaxCapacity / 2 ? capacity * 2 : needed;
        std::unique_ptr<char[]> block(new char[capacity]);
        if (size_) memcpy(block.get(), block_.get(), size_);
        block_ = std::move(block);
        capacity_ = capacity;
    }

    static constexpr size_t kFirstCapacity = 4096;
    static constexpr size_t kMaxCapacity = static_cast<size_t>(-1);
    std::unique_ptr<char[]> block_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace

LaunchEntry* ParseLaunchLine(const char* line, EntryList& list) {
    // A line holds at most 255 characters, so the fields fit whole; a longer
    // text handed in directly has its fields cut to 255 characters.
    char file[kFieldSize];
    char params[kFieldSize];
    char dir[kFieldSize];
    char showCode[kFieldSize];
    Tokenizer fields(line);
    fields.Next(kFieldSeparators, file, kFieldSize);
    fields.Next(kFieldSeparators, params, kFieldSize);
    fields.Next(kFieldSeparators, dir, kFieldSize);
    fields.Next(kFieldSeparators, showCode, kFieldSize);
    auto* entry = new LaunchEntry(file, params, dir, ReadNumber(showCode));
    list.Append(entry);
    return entry;
}

SleepEntry* ParseTimeLine(const char* line, EntryList& list) {
    char keyword[kFieldSize];
    char value[kFieldSize];
    Tokenizer fields(line);
    fields.Next(kFieldSeparators, keyword, kFieldSize);
    if (fields.Next(kFieldSeparators, value, kFieldSize) < 0) return nullptr;
    auto* entry = new SleepEntry(ReadNumber(value));
    list.Append(entry);
    return entry;
}

int ReadResponseText(const char* name, const char* data, size_t size, EntryList& list,
                     WPNoticeList* notices) {
    ResponseLineReader lines(data, size);
    char line[kLineSize];
    while (lines.Next(line)) {
        Tokenizer fields(line);
        const char* first;
        int length;
        // Empty lines and lines of commas only are no entries.
        if (!fields.Next(kFieldSeparators, &first, &length)) continue;
        if (!IsTimeKeyword(first, length)) {
            ParseLaunchLine(line, list);
        } else if (!ParseTimeLine(line, list)) {
            // The user meant a wait here; running what follows without it could
            // start programs too early, so reading stops as before, but the user
            // is told instead of the rest of the list silently going missing.
            if (notices) notices->Add(TimeWithoutValue(name, lines.FileLine()));
            return kStoppedAtTimeLine;
        }
    }
    return kFileRead;
}

int ReadResponseFile(const char* name, EntryList& list, WPNoticeList* notices) {
    FILE* file = fopen(name, "rb");
    if (!file) return kFileMissing;
    FileBytes data;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) data.Append(chunk, got);
    // A name that opens but cannot be read (a folder, say) counts as missing.
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) return kFileMissing;
    return ReadResponseText(name, data.Data(), data.Size(), list, notices);
}
