#include "volleyresponsefile.h"

#include "volleylinereader.h"
#include "wpformat.h"
#include "wptext.h"
#include "wptextfile.h"

#include <string.h>

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
    WPTextFile file = ReadTextFile(name);
    if (file.status == WPTextFile::kMissing) return kFileMissing;
    if (file.status == WPTextFile::kRefused) {
        // Nothing of the list runs: a name read without one of its
        // characters could open some other file.
        if (notices) notices->Add(RefusedTextNotice(file.refusedLine, true));
        return kRefusedText;
    }
    return ReadResponseText(name, file.text.get(), file.length, list, notices);
}
