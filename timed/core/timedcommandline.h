// The two command-line grammars of the timed programs:
//   launcher: time, one space, program[,parameters[,directory[,options]]]
//   closer:   time, one space, caption[,options]
// The parser writes into buffers that the caller owns, so each may live on
// its own (the window keeps them in one record, the fuzz test on the heap).
#ifndef KIVORA_TIMED_TIMEDCOMMANDLINE_H
#define KIVORA_TIMED_TIMEDCOMMANDLINE_H

#include "settime.h"

const int kCommandLineSize = 256;  // the copy of the command-line tail
const int kTargetSize = 256;       // program, parameters, directory, caption
const int kOptionFieldSize = 12;   // the option field: 11 characters

struct LaunchFields {
    TextField timeText;
    TextField program;
    TextField parameters;
    TextField directory;
    int* noIcon;
    int* quitAfterFire;
};

struct CloseFields {
    TextField timeText;
    TextField caption;
    int* noIcon;
    int* politeClose;
};

// Splits the command-line tail (blanks kept exactly as typed) into the
// fields, then checks the time (CheckTime) and a non-empty option field
// (ParseOptions). Every field starts from its initial value: empty texts,
// noIcon 0, quitAfterFire 1, politeClose 0. Returns 1 accepted, 0 refused.
int ParseCommandLine(const char* commandLine, const LaunchFields& fields);
int ParseCommandLine(const char* commandLine, const CloseFields& fields);

#endif
