#include "traytip.h"

#include "wptext.h"

namespace timed {

void ComposeTip(char* tip, int tipSize, const char* subject, const char* timeText) {
    int subjectLength = CopyText(tip, tipSize, subject);
    // A subject that filled the buffer leaves no room for the time.
    if (subjectLength + 1 >= tipSize) return;
    tip[subjectLength] = ' ';
    CopyText(tip + subjectLength + 1, tipSize - subjectLength - 1, timeText);
}

void ProgramNameOf(const char* program, char* name, int nameSize) {
    // The tokenizer walks whole characters, so a trail byte 0x5C inside a
    // double-byte character never splits the path.
    Tokenizer pieces(program);
    const char* start;
    int length;
    const char* lastStart = program;
    int lastLength = -1;
    int count = 0;
    while (pieces.Next("\\", &start, &length)) {
        lastStart = start;
        lastLength = length;
        ++count;
    }
    if (count >= 2)
        CopySpan(name, nameSize, lastStart, lastLength);
    else
        CopyText(name, nameSize, program);
}

}  // namespace timed
