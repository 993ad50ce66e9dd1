#include "responsefile.h"

#include "wptext.h"
#include "wptextfile.h"

#include <string.h>

namespace {

struct MemoryBytes {
    const char* data;
    size_t size;
    size_t position;
};

int NextMemoryByte(void* context) {
    MemoryBytes* bytes = static_cast<MemoryBytes*>(context);
    if (bytes->position == bytes->size) return -1;
    return static_cast<unsigned char>(bytes->data[bytes->position++]);
}

// Ctrl-Z, with which DOS editors ended a file; read as text, the file ends
// there.
const char kEndOfText = '\x1A';

}  // namespace

int ReadFirstWord(ByteSource source, void* context, char* word) {
    int c;
    do c = source(context);
    while (IsSpace(c));
    int length = 0;
    // Inside a double-quoted run only a line end ends the word, so a path
    // with blanks stays whole and a quote without a partner takes no more
    // than its line. Neither the quote nor white space can be the second
    // byte of a double-byte character, so bytes are compared as they come.
    bool quoted = false;
    // A NUL byte ends the word: the command-line text cannot carry it, and
    // what follows it is treated like the rest of the file, ignored.
    for (; c != -1 && c != '\0' && !(quoted ? c == '\n' || c == '\r' : IsSpace(c));
         c = source(context)) {
        // A word over 1023 characters is refused, not cut: a cut word could
        // name a shorter path than the file gives. Reading stops here, so
        // an endless or huge file costs no more than this.
        if (length == kMaxLineLength) {
            word[0] = '\0';
            return -1;
        }
        if (c == '"') quoted = !quoted;
        word[length++] = static_cast<char>(c);
    }
    word[length] = '\0';
    return length;
}

int ReadFirstWord(const char* data, size_t size, char* word) {
    MemoryBytes bytes = {data, size, 0};
    return ReadFirstWord(NextMemoryByte, &bytes, word);
}

void readResponseFile(char* commandText, int textSize, LaunchSettings* settings) {
    settings->responseFailed = 0;
    // Only "r=" names a file. A text that begins with r but has no "=" after
    // it names none; it is reported as an unreadable response file at once
    // rather than guessed at, and nothing is opened.
    if (commandText[0] != 'r' || commandText[1] != '=') {
        settings->responseFailed = 1;
        return;
    }
    // The name is copied out first since the text is replaced. One that
    // does not fit whole is refused: a cut name would open another file.
    char name[kCommandTextSize];
    if (CopyText(name, sizeof name, commandText + 2) >= static_cast<int>(sizeof name)) {
        settings->responseFailed = 1;
        return;
    }
    WPTextFile file = ReadTextFile(name);
    if (file.status != WPTextFile::kRead) {
        settings->responseFailed = 1;
        settings->responseRefusedLine = file.refusedLine;
        return;
    }
    const char* end = static_cast<const char*>(memchr(file.text.get(), kEndOfText, file.length));
    char word[kMaxLineLength + 1];
    int length = ReadFirstWord(file.text.get(), end ? end - file.text.get() : file.length, word);
    // A word the text buffer cannot hold whole is refused like an overlong one.
    if (length < 0 || length >= textSize) {
        settings->responseFailed = 1;
        return;
    }
    CopyText(commandText, textSize, word);
}
