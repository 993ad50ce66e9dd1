// A list or response file read whole and decoded as it was saved (see
// wptextdecode.h), and the box that refuses one that code page 932 cannot
// hold. Shared by volley's list and lofter's response file.
#pragma once

#include "wpnotice.h"
#include "wptextdecode.h"

#include <stddef.h>

#include <memory>

// Installs the map that ReadTextFile converts with and returns the one it
// replaces. The framework's entry installs the system's own conversion;
// without a map no character beyond ASCII converts, so a file that needs
// one is refused, never misread.
WPCp932Map SetCp932Map(WPCp932Map map);

struct WPTextFile {
    enum Status { kMissing, kRead, kRefused };
    Status status = kMissing;
    std::unique_ptr<char[]> text;  // kRead: the code page 932 text, length bytes, not terminated
    size_t length = 0;
    int refusedLine = 0;           // kRefused: the line of the first character it cannot hold
};

// Reads the named file in binary and decodes it. kMissing when it cannot be
// opened or read (a folder, say).
WPTextFile ReadTextFile(const char* name);

// The box of a refused file: "ERROR", OK only, after the default beep,
// naming the line.
WPNotice RefusedTextNotice(int line, bool ownedByMainWindow);
