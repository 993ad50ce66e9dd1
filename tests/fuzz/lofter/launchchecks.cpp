#include "launchchecks.h"

#include "wptext.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void Require(bool holds, const char* rule) {
    if (holds) return;
    fprintf(stderr, "broken rule: %s\n", rule);
    abort();
}

int CheckTerminated(const char* field, int capacity, const char* name) {
    // Measured within the buffer: an unterminated field is a broken rule,
    // not a read into whatever follows it.
    const void* end = memchr(field, '\0', capacity);
    Require(end != nullptr, name);
    return static_cast<int>(static_cast<const char*>(end) - field);
}

namespace {

bool IsFlag(int value) { return value == 0 || value == 1; }

// True when text holds a single-byte character from chars, stepping over
// double-byte characters as the parser does.
bool HoldsChar(const char* text, const char* chars) { return FindChar(text, chars) != nullptr; }

// True when two single-byte blanks follow each other.
bool HasBlankRun(const char* text) {
    bool lastWasBlank = false;
    for (const char* p = text; *p; p += CharLength(p)) {
        bool blank = CharLength(p) == 1 && *p == ' ';
        if (blank && lastWasBlank) return true;
        lastWasBlank = blank;
    }
    return false;
}

// A position is -1 or on the screen from near to far; a size is -1 or
// keeps the far edge on it.
bool AxisFits(int position, int size, int nearEdge, int farEdge) {
    const long long extent = static_cast<long long>(farEdge) - nearEdge;
    return (position == -1 || (position >= 0 && position < extent)) &&
           (size == -1 || static_cast<long long>(position) + size < extent);
}

// Positions count from the screen whose top-left corner is the origin: the
// primary screen from 0,0 to its right and bottom edges, or a monitor.
bool FitsAScreenAtOrigin(const LaunchSettings& s, const lofter::ScreenLayout& screens) {
    WPRect candidates[lofter::kMaxMonitors + 1];
    candidates[0] = WPRect(0, 0, screens.primary.right, screens.primary.bottom);
    for (int i = 0; i < screens.monitorCount; ++i) candidates[i + 1] = screens.monitors[i];
    for (int i = 0; i <= screens.monitorCount; ++i) {
        const WPRect& screen = candidates[i];
        if (screen.left == s.origin.x && screen.top == s.origin.y &&
            AxisFits(s.x, s.w, screen.left, screen.right) && AxisFits(s.y, s.h, screen.top, screen.bottom))
            return true;
    }
    return false;
}

}  // namespace

void CheckParsed(const char* line, const LaunchSettings& s, const LaunchTarget& t,
                 const lofter::ScreenLayout& screens) {
    Require(FitsAScreenAtOrigin(s, screens),
            "x, y, w and h on the screen the origin names, or -1");

    Require(IsFlag(s.topMost) && IsFlag(s.nothingToUndo) && IsFlag(s.autoReturn) &&
                IsFlag(s.noProgram) && IsFlag(s.stayResident) && IsFlag(t.noPlacement) &&
                IsFlag(s.captureNew),
            "flags hold 0 or 1");
    Require(s.responseFailed == 0 && s.launchFailed == 0, "the parser sets no failure");
    Require(!s.autoReturn || s.stayResident, "auto return keeps lofter resident");

    Require(t.showCommand == 5 || t.showCommand == 6 || t.showCommand == 3 || t.showCommand == 0,
            "show command is one of 5, 6, 3, 0");
    Require(t.noPlacement == (t.showCommand != 5), "no placement exactly when not shown normally");

    // Blanks and "=" reach a path only through a quoted run; its quotes never do.
    const char* const pathBreaks = strchr(line, '"') ? "\"" : "\" =";
    int programLength = CheckTerminated(s.program, sizeof s.program, "program terminated");
    Require(s.noProgram == (programLength == 0), "noProgram exactly when program is empty");
    Require(programLength <= kPathSize - 1, "program within a path's 259 characters");
    Require(!HoldsChar(s.program, pathBreaks), "program holds no quote, and no blank or '=' unless quoted");

    int argumentsLength = CheckTerminated(s.arguments, sizeof s.arguments, "arguments terminated");
    Require(argumentsLength >= 1 && s.arguments[0] == ' ' && s.arguments[argumentsLength - 1] == ' ',
            "arguments begin and end with a blank");
    Require(!HasBlankRun(s.arguments), "arguments hold no run of blanks");

    int workDirLength = CheckTerminated(t.workDir, sizeof t.workDir, "workDir terminated");
    Require(strcmp(t.workDir, " ") == 0 || (workDirLength >= 1 && workDirLength <= kPathSize - 1 &&
                                           !HoldsChar(t.workDir, pathBreaks)),
            "workDir is one blank or one item's value");
}
