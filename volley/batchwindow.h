// volley's main window: reads the list while it is being constructed, shows
// one row per entry in a small top-most window, and half a second after the
// message loop starts performs the whole list in one timer event.
#pragma once

#include "volleyentrylist.h"
#include "wpmainwin.h"

#include <stdint.h>

namespace volley {

// The main frame window's name, and the window class and caption it gets.
extern const char kFrameName[];   // "MAINWIN"
extern const char kAppName[];     // "Volleey"

// The run starts on this timer, once the loop has run for this long.
const UINT kRunTimer = 1;
const UINT kRunDelayMs = 500;

// A row is this many line heights wide.
const int32_t kRowWidthInLines = 15;

// The version box's text: name and version, date, credit line.
extern const char kVersionText[];

}  // namespace volley

class BatchWindow : public WPMainWin {
public:
    // Creates the window, then either shows the version ("-v"), reports a
    // missing response file, or reads it, makes the rows, fits the window
    // to them and arms the run timer. The first two post the quit message.
    explicit BatchWindow(const char* fileArg);
    ~BatchWindow() override = default;

    // Performs the list once (the timer is killed first), reports the entry
    // that failed, if any, and ends the program with code 0.
    int OnTimer(UINT id) override;

    // Sizes the window to the rows (outer width one row plus a third of a
    // line, bottom a quarter line below the last row) and makes it top-most.
    // An empty list leaves the window alone.
    void FitToEntries();

    EntryList entries;
    int32_t lineHeight = 0;

private:
    // Line height from the default font's tmHeight; sets the list's geometry.
    void TakeLineMetrics();
    // One row per entry, in list order; stops at a row that cannot be made.
    void CreateRows();
    // Beep, then "%s not found" in an "error" box.
    void ReportMissing(const char* fileArg);
    // For the run: the window (a BatchWindow) was closed under it.
    static bool WindowGone(const void* window);
};
