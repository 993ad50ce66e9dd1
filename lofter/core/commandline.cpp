#include "commandline.h"

#include "quotedtokenizer.h"
#include "wptext.h"

#include <string.h>

using lofter::ScreenExtent;

namespace {

// A piece of the private copy of the line.
struct Span {
    const char* start;
    int length;
};

// The line taken apart, before any of it is applied: a line is applied
// whole or not at all.
struct LineParts {
    char separator = ',';
    bool hasSettingsWord = false;
    char settingsWord[kMaxLineLength + 1] = "";
    char arguments[kArgumentsSize] = " ";
    const char* items[kMaxItems];  // each terminated inside settingsWord
    int itemCount = 0;
};

// Quoted runs hold a path with blanks or separators together. A double quote
// chosen as the separator (t=") keeps cutting the items, as it always has.
bool HonoursQuotes(const LineParts& parts) { return parts.separator != '"'; }

// Copies the line without its outer blanks. A line over 1023 characters is
// refused rather than cut: a cut would silently shorten the last word, which
// may be the program's path or an argument, and start the wrong thing.
bool CopyLine(const char* text, char* line) {
    while (*text == ' ') ++text;
    int length = static_cast<int>(strlen(text));
    while (length > 0 && text[length - 1] == ' ') --length;
    if (length > kMaxLineLength) return false;
    CopySpan(line, kMaxLineLength + 1, text, length);
    return true;
}

// The separator a t word names: its third character. A t word shorter than
// three characters names none, and a double-byte third character cannot
// delimit single-byte items; both keep the comma.
char SeparatorOf(const Span& word) {
    const char* end = word.start + word.length;
    const char* p = word.start + 1;  // after the t
    if (p < end) p += CharLength(p);  // the second character is not examined
    if (p >= end || CharLength(p) != 1) return ',';
    return *p;
}

// Cuts the line at blanks: an optional t word, the settings word (whose
// quoted runs hold blanks) and the argument words (whose quotes are the
// started program's business, so they cut as ever). More than 10 words are
// refused: dropping the extra argument words would start the program with
// fewer documents than asked for.
bool SplitWords(const char* line, LineParts* parts, Span* words, int* count, int* settingsIndex) {
    QuotedTokenizer tokenizer(line);
    *count = 0;
    *settingsIndex = line[0] == 't' ? 1 : 0;
    Span word;
    while (tokenizer.Next(' ', *count == *settingsIndex && HonoursQuotes(*parts), &word.start,
                          &word.length)) {
        if (*count == kMaxWords) return false;
        if (*count == 0 && *settingsIndex == 1) parts->separator = SeparatorOf(word);
        words[(*count)++] = word;
    }
    return true;
}

// Appends each argument word and one blank to the leading blank. A line of
// 1023 characters cannot give more than 1023 characters of argument text
// (the settings word takes at least one); should it, the line is refused
// like one with extra words, never cut.
bool BuildArguments(const Span* words, int count, char* arguments) {
    int length = 1;  // the leading blank
    for (int i = 0; i < count; ++i) {
        if (length + words[i].length + 1 > kArgumentsSize - 1) return false;
        memcpy(arguments + length, words[i].start, words[i].length);
        length += words[i].length;
        arguments[length++] = ' ';
    }
    arguments[length] = '\0';
    return true;
}

// The key of an e or f item, or 0. A double-byte first character is no key.
char PathKey(const char* item) {
    if (CharLength(item) != 1) return 0;
    const char key = FoldAscii(item[0]);
    return key == 'e' || key == 'f' ? key : 0;
}

// The value of an e or f item: its second piece when cut at "=" outside
// quoted runs. The key may thus be a longer word (exe=...), and the value
// ends at its first "=".
bool NamedValue(const char* item, Span* value) {
    QuotedTokenizer pieces(item);
    return pieces.Next('=', true, &value->start, &value->length) &&
           pieces.Next('=', true, &value->start, &value->length);
}

// True when the item's path, without its quotes, fits what the shell takes
// (259 characters). A longer one is refused with the whole line: cut, it
// would name another file.
bool PathFits(const char* item) {
    Span value;
    return !PathKey(item) || !NamedValue(item, &value) ||
           UnquotedLength(value.start, value.length) <= kPathSize - 1;
}

// Cuts the settings word into items, each terminated in place. More than 9
// items are refused: a dropped one would lose a setting without a word.
bool SplitItems(LineParts* parts) {
    QuotedTokenizer tokenizer(parts->settingsWord);
    Span item;
    while (tokenizer.Next(parts->separator, HonoursQuotes(*parts), &item.start, &item.length)) {
        if (parts->itemCount == kMaxItems) return false;
        char* itemText = parts->settingsWord + (item.start - parts->settingsWord);
        itemText[item.length] = '\0';  // the separator, already passed
        if (!PathFits(itemText)) return false;
        parts->items[parts->itemCount++] = itemText;
    }
    return true;
}

// Takes the line apart; false when it goes beyond what the program holds.
bool SplitLine(const char* commandText, LineParts* parts) {
    char line[kMaxLineLength + 1];
    Span words[kMaxWords];
    int wordCount, settingsIndex;
    if (!CopyLine(commandText, line) || !SplitWords(line, parts, words, &wordCount, &settingsIndex))
        return false;
    if (settingsIndex < wordCount) {
        parts->hasSettingsWord = true;
        CopySpan(parts->settingsWord, sizeof parts->settingsWord, words[settingsIndex].start,
                 words[settingsIndex].length);
        int first = settingsIndex + 1;
        if (!BuildArguments(words + first, wordCount - first, parts->arguments)) return false;
    }
    return !parts->hasSettingsWord || SplitItems(parts);
}

// A coordinate from x= or y=, counted from the screen's near edge: negative
// counts back from the far edge, and what is still negative is the near
// edge. Sums are taken wide so that no screen or value can overflow them.
int Coordinate(int value, int screenExtent) {
    long long coordinate = value;
    if (coordinate < 0) coordinate += screenExtent;
    return coordinate < 0 ? 0 : static_cast<int>(coordinate);
}

// True when value is text, ignoring ASCII case. Values over 11 characters
// match nothing, as they are beyond what a value holds.
bool ValueIs(const char* value, const char* text) {
    return strlen(value) <= kMaxValueLength && CompareNoCase(value, text) == 0;
}

void ApplyShowCommand(const char* value, LaunchTarget* target) {
    // A number over 11 characters is beyond what a value holds: it selects
    // nothing, like any other number outside 0-3.
    if (strlen(value) > kMaxValueLength) return;
    switch (ReadNumber(value)) {
    case 0:
        // Shown normally, so the window is placed again: an earlier s item
        // must not leave a normally shown window unplaced.
        target->showCommand = kShowNormal;
        target->noPlacement = 0;
        break;
    case 1:
        target->showCommand = kShowMinimized;
        target->noPlacement = 1;
        break;
    case 2:
        target->showCommand = kShowMaximized;
        target->noPlacement = 1;
        break;
    case 3:
        target->showCommand = kShowHidden;
        target->noPlacement = 1;
        break;
    default:
        break;
    }
}

// Items of the keys that need "=" as their second character. An m item was
// read before them all (MonitorNumber).
void ApplyKeyValue(char key, const char* value, const WPRect& screen,
                   LaunchSettings* settings, LaunchTarget* target) {
    switch (key) {
    case 'x': settings->x = Coordinate(ReadNumber(value), ScreenExtent(screen.left, screen.right)); break;
    case 'y': settings->y = Coordinate(ReadNumber(value), ScreenExtent(screen.top, screen.bottom)); break;
    case 'w': settings->w = ReadNumber(value); break;
    case 'h': settings->h = ReadNumber(value); break;
    case 'z':
        if (ValueIs(value, "TOP")) settings->topMost = 1;
        break;
    case 'a':
        if (ValueIs(value, "ON")) settings->autoReturn = settings->stayResident = 1;
        break;
    case 'd':
        if (ValueIs(value, "ON")) settings->stayResident = 1;
        break;
    case 'q':
        if (ValueIs(value, "ON"))
            settings->nothingToUndo = 1;
        else
            settings->stayResident = 1;
        break;
    case 's': ApplyShowCommand(value, target); break;
    case 'c':
        if (ValueIs(value, "NEW")) settings->captureNew = 1;
        break;
    default: break;
    }
}

// Copies the value of an e or f item into path (kPathSize bytes) without
// its quotes. False when there is none: no "=" piece, or only quotes (a
// path that does not fit was refused with its line).
bool CopyPath(const char* item, char* path) {
    Span value;
    if (!NamedValue(item, &value)) return false;
    const int length = UnquotedLength(value.start, value.length);
    if (length == 0 || length > kPathSize - 1) return false;
    CopyUnquoted(path, kPathSize, value.start, value.length);
    return true;
}

void ApplyItem(const char* item, const WPRect& screen, LaunchSettings* settings,
               LaunchTarget* target) {
    if (CharLength(item) != 1) return;  // a double-byte first character is no key
    char key = FoldAscii(item[0]);
    switch (key) {
    case 'e':
        if (CopyPath(item, settings->program))
            settings->noProgram = 0;
        else
            settings->nothingToUndo = 1;
        break;
    case 'f':
        CopyPath(item, target->workDir);
        break;
    default:
        if (strchr("xywhzadqsc", key) && key != '\0' && item[1] == '=')
            ApplyKeyValue(key, item + 2, screen, settings, target);
        break;
    }
}

// The number the last m item gives (0 without one): which screen the
// positions of the whole line count from, wherever the m item stands.
int MonitorNumber(const LineParts& parts) {
    int number = 0;
    for (int i = 0; i < parts.itemCount; ++i) {
        const char* item = parts.items[i];
        if (CharLength(item) == 1 && FoldAscii(item[0]) == 'm' && item[1] == '=')
            number = ReadNumber(item + 2);
    }
    return number;
}

// Positions and sizes that would leave the screen count as not given.
void CheckRanges(const WPRect& screen, LaunchSettings* settings) {
    const long long width = ScreenExtent(screen.left, screen.right);
    const long long height = ScreenExtent(screen.top, screen.bottom);
    if (settings->x >= width) settings->x = -1;
    if (settings->y >= height) settings->y = -1;
    if (static_cast<long long>(settings->x) + settings->w >= width) settings->w = -1;
    if (static_cast<long long>(settings->y) + settings->h >= height) settings->h = -1;
}

}  // namespace

void parseCommandLine(const char* commandText, const lofter::ScreenLayout& screens,
                      LaunchSettings* settings, LaunchTarget* target) {
    LineParts parts;
    const bool taken = SplitLine(commandText, &parts);
    const WPRect screen = lofter::ReferenceScreen(screens, taken ? MonitorNumber(parts) : 0);
    if (taken) {
        for (int i = 0; i < parts.itemCount; ++i)
            ApplyItem(parts.items[i], screen, settings, target);
        CopyText(settings->arguments, sizeof settings->arguments, parts.arguments);
    } else {
        CopyText(settings->arguments, sizeof settings->arguments, " ");
    }
    CheckRanges(screen, settings);
    settings->origin = WPPoint(screen.left, screen.top);
}
