// volley's command line: an optional response-file name and an optional
// option word ("-h" runs hidden, "-v" shows the version), in either order.
// Window-free, so the rules are tested and fuzzed natively.
#ifndef VOLLEY_COMMANDLINE_H
#define VOLLEY_COMMANDLINE_H

// Capacity of fileArg and option, terminator included.
const int kCommandTextSize = 256;

// The name read when the command line is empty, from the current directory.
extern const char kDefaultResponseFile[];

struct VolleyCommandLine {
    // The response-file name, "-v" when the version was asked for, or empty.
    char fileArg[kCommandTextSize];
    // The word that contains a '-' (empty when none).
    char option[kCommandTextSize];
    // 1 when the name given was too long for fileArg and was refused; fileArg
    // is then empty, so nothing is read and the user is told "not found".
    int nameRefused;
};

// Fills result from the command-line tail (the text after the program's own
// name). A null tail counts as empty.
void ParseVolleyCommandLine(const char* tail, VolleyCommandLine* result);

// True when the main window stays hidden: option exactly "-h" or "-v".
bool HidesMainWindow(const VolleyCommandLine& commandLine);

// True when the version is to be shown instead of reading a list.
bool ShowsVersion(const VolleyCommandLine& commandLine);

#endif
