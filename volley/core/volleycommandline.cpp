#include "volleycommandline.h"

#include "wptext.h"

#include <string.h>

const char kDefaultResponseFile[] = "Volley.rsp";

namespace {

bool ContainsDash(const char* word, int length) {
    for (int i = 0; i < length; i += CharLength(word + i))
        if (word[i] == '-') return true;
    return false;
}

// A word that holds a '-' anywhere is the option, any other word the name;
// a later word of either kind replaces an earlier one.
void Classify(const char* word, int length, VolleyCommandLine* result) {
    if (ContainsDash(word, length)) {
        // An option longer than 255 characters is cut: it could not be "-h"
        // or "-v" either way, and the option has no other use.
        CopySpan(result->option, kCommandTextSize, word, length);
        return;
    }
    if (length >= kCommandTextSize) {
        // A name that does not fit fileArg is refused rather than cut: a cut
        // name could open some other, existing list and start its programs.
        result->fileArg[0] = '\0';
        result->nameRefused = 1;
        return;
    }
    CopySpan(result->fileArg, kCommandTextSize, word, length);
    result->nameRefused = 0;
}

}  // namespace

void ParseVolleyCommandLine(const char* tail, VolleyCommandLine* result) {
    result->fileArg[0] = '\0';
    result->option[0] = '\0';
    result->nameRefused = 0;

    // The default applies only to a tail that is empty, not to one that
    // holds just an option.
    if (tail == nullptr || tail[0] == '\0') {
        CopyText(result->fileArg, kCommandTextSize, kDefaultResponseFile);
        return;
    }

    // First word: leading blanks skipped, ends at the next blank. Second
    // word: everything after that one blank, further blanks included.
    Tokenizer words(tail);
    const char* first;
    int firstLength;
    if (words.Next(" ", &first, &firstLength)) {
        Classify(first, firstLength, result);
        const char* second = words.Rest();
        if (second[0] != '\0') Classify(second, static_cast<int>(strlen(second)), result);
    }

    if (strcmp(result->option, "-v") == 0) CopyText(result->fileArg, kCommandTextSize, "-v");
}

bool HidesMainWindow(const VolleyCommandLine& commandLine) {
    return strcmp(commandLine.option, "-h") == 0 || strcmp(commandLine.option, "-v") == 0;
}

bool ShowsVersion(const VolleyCommandLine& commandLine) {
    return strcmp(commandLine.fileArg, "-v") == 0;
}
