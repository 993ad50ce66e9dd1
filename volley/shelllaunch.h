// How volley performs its entries on the real system: launches through the
// shell's execute service, waits on the kernel's clock, rows as windows.
#pragma once

#include "volleyentry.h"

// Opens the entry's file with the verb "open" through ShellExecuteExA (via
// the platform seam); non-zero when the shell reports success. No mask
// bits: the shell shows its own error display and hands back no process.
int LaunchThroughShell(const LaunchEntry& entry);

// Points the entries' and the list's hooks at the platform: launches at
// LaunchThroughShell, the clock at the seam's tick count, pauses at the
// kernel's Sleep, rows at EntryRow.
void ConnectEntriesToPlatform();
