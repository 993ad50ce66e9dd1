// What a running process costs and holds, read from outside (or from
// inside, for this process) in ways that give true figures under Wine as
// well as on Windows. Wine 8 leaves several of the obvious calls empty or
// wrong, measured with a busy child process:
//   - GetGuiResources is a stub that answers 0;
//   - PROCESS_MEMORY_COUNTERS_EX.PrivateUsage stays 0, while PagefileUsage
//     (the same figure on Windows, the commit charge) holds the process's
//     resident anonymous memory;
//   - GetProcessTimes of another process gave 90 ms for a child that had
//     used 1.8 s, while GetThreadTimes of its threads gave the 1.8 s.
#pragma once

#include <windows.h>

namespace e2e {

struct ProcessUsage {
    SIZE_T privateBytes = 0;     // PrivateUsage, or PagefileUsage where that is 0
    SIZE_T workingSetBytes = 0;
    double cpuMs = 0;            // user + kernel time of all its live threads
    long gdiObjects = -1;        // -1: could not be read
    // Windows of the process; menus, icons and cursors are added only for
    // this process (Wine keeps another process's in that process).
    long userObjects = -1;
};

// process needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ. Reading the
// GDI handle table makes its pages resident in the measured process, 1.5 MB
// that were mostly never touched: the first measurement of a process grows
// its private memory, so a comparison starts from a second one.
ProcessUsage MeasureProcess(HANDLE process, DWORD processId);

// Memory and CPU time alone (trying every USER handle takes a second or two).
void MeasureCost(HANDLE process, DWORD processId, ProcessUsage* usage);

// For printing: whole KiB in a type that printf's %lu takes on both builds.
inline unsigned long KiB(SIZE_T bytes) { return static_cast<unsigned long>(bytes / 1024); }

}  // namespace e2e
