// The application object: one per program, a static of the framework. It
// holds the module, the command line, the main window, the message loop's
// filters, the tracked-heap statistics and the settings-file operations.
#ifndef KIVORA_WPAPP_H
#define KIVORA_WPAPP_H

#include <windows.h>

#include "wpdiag.h"
#include "wpheapstats.h"
#include "wpnames.h"

class WPMainWin;
class WPDialog;

// A module whose resources are used: the program itself or a library.
class WPModule {
public:
    WPModule() = default;

    HRSRC FindRes(const char* resName, const char* type) const;
    // Copies at most maxLen bytes of the resource into dest; returns the
    // resource's full size (0 if it is missing).
    DWORD LoadResData(const char* resName, const char* type, void* dest, DWORD maxLen) const;
    // An identifier below 65536 loads a system icon, a name from hinst.
    HICON LoadIcon(const char* iconName) const;

    char name[kProgramNameSize] = {};
    HINSTANCE hinst = nullptr;
};

// Out-of-memory handler: requested size (low 16 bits) -> nonzero to retry.
typedef int (*WPOomHandler)(unsigned short size);

class WPApp : public WPModule {
public:
    WPApp();
    ~WPApp();

    // Stores the entry's arguments; loads "AppAccel" when the module has it.
    void Init(HINSTANCE instance, HINSTANCE previous, char* commandLine, int show);
    // Supplied by each program, not by the framework: creates the main
    // window object with new, stores it in mainWin, may change cmdShow and
    // calls Run.
    void Start();
    // Takes the main window over (a window closed while it was being
    // constructed is deleted now), then runs the message loop; sets exitCode
    // from the quit message.
    void Run();
    // Posts the quit message, and counts it: a nested loop that takes a
    // quit for itself (Wine's popup menu) is followed by the quit again
    // (WPMenu::Popup), or the program would never end.
    void PostQuit(int code);
    int quitsPosted = 0;
    int lastQuitCode = 0;
    // Copies the command-line tail into dest, cut to size (see CopyText):
    // the tail comes from outside and may be longer than any buffer.
    // Returns the tail's full length, so a caller sees a cut (a result of
    // size or more) and can refuse the tail instead of acting on part of it.
    int CopyCmdLine(char* dest, int size) const;

    // Program name: module file name without directory and extension, at
    // most 15 characters; computed on the first call.
    const char* GetName();
    // Program name cut to 8 characters + ".ini", written into buffer
    // (which must hold kIniNameSize bytes).
    static constexpr int kIniNameSize = 13;
    char* GetIniName(char* buffer);

    // Settings-file operations: the program's own file, or WIN.INI when
    // useWinIni is set. section nullptr means the program name.
    int GetProfileStr(const char* key, char* buffer, int size, const char* defaultText,
                      const char* section = nullptr);
    int GetProfileNum(const char* key, int defaultValue, const char* section = nullptr);
    BOOL WriteProfileStr(const char* key, const char* text, const char* section = nullptr);
    BOOL WriteProfileNum(const char* key, int value, const char* section = nullptr);

    // --- Tracked heap (wpheap32.cpp) and reports (wpreport.cpp). ---
    // A zero-filled fixed local block, counted; none on failure.
    void* LocalNew(unsigned bytes);
    // Frees a counted block; an extra free is reported and ignored.
    void LocalDelete(void* block);
    WPSubHeap* AddSubHeap(unsigned hpsz);
    WPSubHeap* FindSubHeap(unsigned short id);
    void RemoveSubHeap(WPSubHeap* heap);
    WPOomHandler SetOomHandler(WPOomHandler handler);
    // Nonzero when the caller should retry the failed allocation.
    int OnOutOfMemory(unsigned long size);
    // "%ld objects remaining!" when objects are left; empties subHeaps.
    void ObjectReport();
    // Shows the heap report; returns the button pressed.
    int HeapReport(int withCancel);
    // This object's report, then every other application object's (with
    // Cancel), stopping at the first Cancel.
    void AllHeapReports();

    char* cmdLine = nullptr;
    WPApp* next = nullptr;

    // Heap statistics.
    WPHeapStats local;
    WPSubHeap* subHeaps = nullptr;
    WPSubHeap* lastSubHeap = nullptr;
    int32_t bigBytes = 0;
    int32_t bigCount = 0;
    int32_t baseCount = 0;
    int alive = 0;
    WPOomHandler oomHandler = nullptr;
    int oomDepth = 0;

    HINSTANCE hPrevInst = nullptr;
    int cmdShow = 0;
    WPMainWin* mainWin = nullptr;
    // Set by the entry before Start: the main window constructed next is
    // the one Start hands to Run, and its construction is held until then
    // (see WPWin::HoldWhileConstructing).
    bool startingUp = false;
    WNDPROC winProc = nullptr;
    DLGPROC dlgProc = nullptr;
    HWND mdiClient = nullptr;
    WPDialog* modeless = nullptr;
    HACCEL accel = nullptr;
    int useWinIni = 0;
    char buf[1024] = {};
    int exitCode = 0;

private:
    // Set once the objects left have been reported (by the out-of-memory
    // prompt's Cancel), so that the exit-time report does not repeat them.
    bool objectsReported_ = false;
    friend int WPOutOfMemoryPrompt(unsigned short size);

    const char* ProfileFile();
    // One pass of the filters; true when the message was consumed.
    bool Filtered(MSG& message, HWND mainHwnd);

    WPApp(const WPApp&) = delete;
    WPApp& operator=(const WPApp&) = delete;
};

// The default out-of-memory handler: the Retry/Cancel prompt.
int WPOutOfMemoryPrompt(unsigned short size);

// A module loaded from a library file by name; kept for the whole process.
class WPLibrary : public WPModule {
public:
    // On failure reports "Error %d loading library %s" and leaves hinst 0.
    explicit WPLibrary(const char* fileName);
};

// The program's application object and the head of the list of them.
extern WPApp wpApp;
extern WPApp* appList;

#endif
