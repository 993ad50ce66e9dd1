// Fuzzes both timed command-line grammars, the time rules and the option
// field with one input. After each input:
//  - every output text is terminated inside its capacity; each lives in a
//    heap buffer of exactly its size, so ASan sees any write past it;
//  - flags hold 0 or 1, and the results equal those of a plain reference
//    reading of the grammar written here with std::string;
//  - an accepted line normalises to h:m:s with each part 1-2 digits in range;
//  - a second parse gives the same bytes.
#include "settime.h"
#include "timedcommandline.h"
#include "timedoptions.h"
#include "wptext.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "fuzz_timed_args: %s\n", what);
        abort();
    }
}

// A buffer of exactly size bytes, filled with a pattern that is no text.
struct HeapText {
    explicit HeapText(int size) : bytes(static_cast<char*>(malloc(size))), size(size) {
        memset(bytes, 0xA5, size);
    }
    ~HeapText() { free(bytes); }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;

    TextField Field() { return TextField{bytes, size}; }
    bool Terminated() const { return memchr(bytes, '\0', size) != nullptr; }
    std::string Text() const { return std::string(bytes); }
    bool SameBytes(const HeapText& other) const { return memcmp(bytes, other.bytes, size) == 0; }

    char* bytes;
    int size;
};

// ---- Reference reading, independent of the parser's code ----

struct RefTokens {
    const std::string& text;
    size_t pos = 0;

    size_t Step(size_t at) const {
        return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() &&
                       IsTrailByte(static_cast<unsigned char>(text[at + 1]))
                   ? 2
                   : 1;
    }
    bool Next(char delimiter, std::string* out) {
        while (pos < text.size() && text[pos] == delimiter) ++pos;
        if (pos >= text.size()) return false;
        size_t start = pos;
        while (pos < text.size() && text[pos] != delimiter) pos += Step(pos);
        if (pos > text.size()) pos = text.size();
        *out = text.substr(start, pos - start);
        if (pos < text.size()) ++pos;
        return true;
    }
};

bool RefPart(const std::string& part, int maxValue) {
    if (part.empty() || part.size() > 2) return false;
    for (char c : part)
        if (c < '0' || c > '9') return false;
    return atoi(part.c_str()) <= maxValue;
}

bool RefTime(const std::string& time) {
    if (time.size() > 63) return false;
    RefTokens parts{time};
    std::string hour, minute, second;
    if (!parts.Next(':', &hour) || !RefPart(hour, 23)) return false;
    if (!parts.Next(':', &minute) || !RefPart(minute, 59)) return false;
    return !parts.Next(':', &second) || RefPart(second, 59);
}

// Returns -1 refused, else the letters found as bits: 1 h, 2 c (the
// launcher's), 4 g (the closer's).
int RefOptions(const std::string& field, bool launcher) {
    size_t at = field.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string::npos) return 0;
    if (field[at] != '-') return -1;
    int letters = 0;
    RefTokens walk{field, at};
    for (size_t i = at; i < field.size(); i += walk.Step(i)) {
        if (walk.Step(i) == 2) continue;
        if (field[i] == 'h') letters |= 1;
        if (field[i] == 'c' && launcher) letters |= 2;
        if (field[i] == 'g' && !launcher) letters |= 4;
    }
    return letters ? letters : -1;
}

struct RefLine {
    bool accepted = false;
    std::string time, target, parameters, directory;
    int noIcon = 0, quitAfterFire = 1, politeClose = 0;
};

RefLine RefParse(const std::string& line, bool launcher) {
    RefLine out;
    if (line.size() > 255) return out;
    RefTokens tokens{line};
    if (!tokens.Next(' ', &out.time)) return out;
    if (!tokens.Next(',', &out.target)) return out;
    std::string options;
    if (launcher) {
        if (tokens.Next(',', &out.parameters) && tokens.Next(',', &out.directory))
            tokens.Next(',', &options);
    } else {
        tokens.Next(',', &options);
    }
    if (options.size() > 11 || !RefTime(out.time)) return out;
    int letters = RefOptions(options, launcher);
    if (letters < 0) return out;
    out.noIcon = (letters & 1) ? 1 : 0;
    out.quitAfterFire = (letters & 2) ? 0 : 1;
    out.politeClose = (letters & 4) ? 1 : 0;
    out.accepted = true;
    return out;
}

// ---- Runs of the real parser on exact-size heap buffers ----

struct LaunchRun {
    HeapText time{kTimeTextSize}, program{kTargetSize}, parameters{kTargetSize},
        directory{kTargetSize};
    int* noIcon = new int(7);
    int* quitAfterFire = new int(7);
    int accepted;

    explicit LaunchRun(const char* line) {
        accepted = ParseCommandLine(line, LaunchFields{time.Field(), program.Field(),
                                                       parameters.Field(), directory.Field(),
                                                       noIcon, quitAfterFire});
    }
    ~LaunchRun() {
        delete noIcon;
        delete quitAfterFire;
    }
    bool Same(const LaunchRun& o) const {
        return accepted == o.accepted && time.SameBytes(o.time) && program.SameBytes(o.program) &&
               parameters.SameBytes(o.parameters) && directory.SameBytes(o.directory) &&
               *noIcon == *o.noIcon && *quitAfterFire == *o.quitAfterFire;
    }
};

struct CloseRun {
    HeapText time{kTimeTextSize}, caption{kTargetSize};
    int* noIcon = new int(7);
    int* politeClose = new int(7);
    int accepted;

    explicit CloseRun(const char* line) {
        accepted = ParseCommandLine(line,
                                    CloseFields{time.Field(), caption.Field(), noIcon, politeClose});
    }
    ~CloseRun() {
        delete noIcon;
        delete politeClose;
    }
    bool Same(const CloseRun& o) const {
        return accepted == o.accepted && time.SameBytes(o.time) && caption.SameBytes(o.caption) &&
               *noIcon == *o.noIcon && *politeClose == *o.politeClose;
    }
};

bool IsFlag(int value) { return value == 0 || value == 1; }

// An accepted time normalises; the result is h:m:s, each 1-2 digits in range.
void CheckNormalized(const std::string& typed) {
    HeapText time(kTimeTextSize), hour(kTimePartSize), minute(kTimePartSize),
        second(kTimePartSize);
    memcpy(time.bytes, typed.c_str(), typed.size() + 1);
    Check(NormalizeTime(time.Field(), hour.Field(), minute.Field(), second.Field()) == 1,
          "accepted time does not normalise");
    Check(time.Terminated() && hour.Terminated() && minute.Terminated() && second.Terminated(),
          "normalised part not terminated");
    Check(RefPart(hour.Text(), 23) && RefPart(minute.Text(), 59) && RefPart(second.Text(), 59),
          "normalised part out of rule");
    Check(time.Text() == hour.Text() + ":" + minute.Text() + ":" + second.Text(),
          "time text is not its parts");
}

void FuzzLauncher(const std::string& line) {
    LaunchRun run(line.c_str());
    Check(run.time.Terminated() && run.program.Terminated() && run.parameters.Terminated() &&
              run.directory.Terminated(),
          "launcher field not terminated");
    Check(IsFlag(run.accepted) && IsFlag(*run.noIcon) && IsFlag(*run.quitAfterFire),
          "launcher flag out of range");
    Check(run.Same(LaunchRun(line.c_str())), "launcher parse not deterministic");

    RefLine ref = RefParse(line, true);
    Check(run.accepted == (ref.accepted ? 1 : 0), "launcher acceptance differs from reference");
    if (!run.accepted) return;
    Check(run.time.Text() == ref.time && run.program.Text() == ref.target &&
              run.parameters.Text() == ref.parameters && run.directory.Text() == ref.directory,
          "launcher field differs from reference");
    Check(*run.noIcon == ref.noIcon && *run.quitAfterFire == ref.quitAfterFire,
          "launcher flags differ from reference");
    CheckNormalized(run.time.Text());
}

void FuzzCloser(const std::string& line) {
    CloseRun run(line.c_str());
    Check(run.time.Terminated() && run.caption.Terminated(), "closer field not terminated");
    Check(IsFlag(run.accepted) && IsFlag(*run.noIcon) && IsFlag(*run.politeClose),
          "closer flag out of range");
    Check(run.Same(CloseRun(line.c_str())), "closer parse not deterministic");

    RefLine ref = RefParse(line, false);
    Check(run.accepted == (ref.accepted ? 1 : 0), "closer acceptance differs from reference");
    if (!run.accepted) return;
    Check(run.time.Text() == ref.time && run.caption.Text() == ref.target,
          "closer field differs from reference");
    Check(*run.noIcon == ref.noIcon && *run.politeClose == ref.politeClose,
          "closer flags differ from reference");
    CheckNormalized(run.time.Text());
}

// The whole input as a time text and as an option field.
void FuzzPieces(const std::string& text) {
    int checked = CheckTime(text.c_str());
    Check(checked == (RefTime(text) ? 1 : 0), "CheckTime differs from reference");
    if (checked) CheckNormalized(text);

    int noIcon = 0, quitAfterFire = 1;
    int result = ParseOptions(text.c_str(), OptionFlags{&noIcon, &quitAfterFire});
    int letters = RefOptions(text, true);
    Check(result == (letters >= 0 ? 1 : 0), "ParseOptions differs from reference");
    Check(noIcon == ((letters > 0 && (letters & 1)) ? 1 : 0) &&
              quitAfterFire == ((letters > 0 && (letters & 2)) ? 0 : 1),
          "option flags differ from reference");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The parsers read NUL-terminated texts: stop at an embedded NUL.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(strlen(text.c_str()));
    FuzzLauncher(text);
    FuzzCloser(text);
    FuzzPieces(text);
    return 0;
}
