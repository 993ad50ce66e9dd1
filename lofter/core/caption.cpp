#include "caption.h"

#include "wpformat.h"
#include "wptext.h"

namespace lofter {

void BaseName(const char* path, char* name, int nameSize) {
    Tokenizer pieces(path);
    const char* start = path;
    int length = 0;
    const char* pieceStart;
    int pieceLength;
    while (pieces.Next("\\", &pieceStart, &pieceLength)) {
        start = pieceStart;
        length = pieceLength;
    }
    CopySpan(name, nameSize < kBaseNameSize ? nameSize : kBaseNameSize, start, length);
}

void BuildCaption(const char* program, char* caption, int captionSize) {
    char name[kBaseNameSize];
    BaseName(program, name, sizeof name);
    FormatText(caption, captionSize, "LOFT %s", name);
    DropHalfCharacterAtEnd(caption);
}

}  // namespace lofter
