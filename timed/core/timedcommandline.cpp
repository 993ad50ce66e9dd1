#include "timedcommandline.h"

#include "timedoptions.h"
#include "wptext.h"

// Every text that does not fit its buffer is refused with the usage box,
// never cut: a cut program path, parameter or caption would name something
// else, and a cut option field could silently drop a letter.

namespace {

enum class Field { Missing, Taken, TooLong };

// The next field up to one of delimiters. Runs of delimiters count as one,
// so no field is ever empty.
Field TakeField(Tokenizer& line, const char* delimiters, TextField target) {
    int length = line.Next(delimiters, target.text, target.size);
    if (length < 0) return Field::Missing;
    return length < target.size ? Field::Taken : Field::TooLong;
}

// A tail longer than the 255 characters of the command-line copy is refused.
// Once it fits, no field can outgrow its 256-byte buffer.
bool FitsCommandLineCopy(const char* commandLine) {
    for (int length = 0; length < kCommandLineSize; ++length) {
        if (commandLine[length] == '\0') return true;
    }
    return false;
}

void Clear(TextField field) {
    if (field.size > 0) field.text[0] = '\0';
}

// Steps shared by both grammars once the fields are split.
int CheckTimeAndOptions(const char* timeText, const char* options, OptionFlags flags) {
    if (!CheckTime(timeText)) return 0;
    if (options[0] != '\0' && !ParseOptions(options, flags)) return 0;
    return 1;
}

// The time: the first field with only the space as delimiter (a tab is part
// of it). The tokenizer then stands right after the one space that ended it,
// so a second space becomes the first character of the next field.
bool TakeTime(Tokenizer& line, TextField timeText) {
    return TakeField(line, " ", timeText) == Field::Taken;
}

}  // namespace

int ParseCommandLine(const char* commandLine, const LaunchFields& fields) {
    Clear(fields.timeText);
    Clear(fields.program);
    Clear(fields.parameters);
    Clear(fields.directory);
    *fields.noIcon = 0;
    *fields.quitAfterFire = 1;
    if (!FitsCommandLineCopy(commandLine)) return 0;

    // An option field longer than 11 characters, blanks included, is refused
    // (TakeField reports it as too long).
    char options[kOptionFieldSize] = "";
    TextField optionField{options, sizeof options};
    Tokenizer line(commandLine);
    if (!TakeTime(line, fields.timeText)) return 0;
    if (TakeField(line, ",", fields.program) != Field::Taken) return 0;
    // Parameters, directory and options follow in order; the first one
    // missing ends the list, and anything after the options is ignored.
    const TextField optional[] = {fields.parameters, fields.directory, optionField};
    for (const TextField& target : optional) {
        Field taken = TakeField(line, ",", target);
        if (taken == Field::TooLong) return 0;
        if (taken == Field::Missing) break;
    }
    return CheckTimeAndOptions(fields.timeText.text, options,
                               OptionFlags{fields.noIcon, fields.quitAfterFire});
}

int ParseCommandLine(const char* commandLine, const CloseFields& fields) {
    Clear(fields.timeText);
    Clear(fields.caption);
    *fields.noIcon = 0;
    *fields.politeClose = 0;
    if (!FitsCommandLineCopy(commandLine)) return 0;

    char options[kOptionFieldSize] = "";  // longer than 11 characters: refused
    Tokenizer line(commandLine);
    if (!TakeTime(line, fields.timeText)) return 0;
    if (TakeField(line, ",", fields.caption) != Field::Taken) return 0;
    if (TakeField(line, ",", TextField{options, sizeof options}) == Field::TooLong) return 0;
    // The closer does not know c: no place for it.
    return CheckTimeAndOptions(fields.timeText.text, options,
                               OptionFlags{fields.noIcon, nullptr, fields.politeClose});
}
