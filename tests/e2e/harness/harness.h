// End-to-end harness: starts a program of the suite under test and drives it
// from outside, as a user or the shell would: finds its windows, reads and
// answers its message boxes, posts messages, reads window placement and the
// registry, and waits for its exit code.
#ifndef KIVORA_E2E_HARNESS_H
#define KIVORA_E2E_HARNESS_H

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Full path of a file in the folder of the running test executable (where
// the build puts every program of the suite).
std::string BesideTests(const std::string& fileName);

// A started program. It is ended when the object goes away while it still
// runs, so a failing test never leaves a program behind.
class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // Starts exePath with the command-line tail exactly as given (blanks and
    // all): the child's command line is "exePath" followed by one blank and
    // tail. Returns false when the program cannot be started.
    bool Start(const std::string& exePath, const std::string& tail);

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool IsRunning() const;

    // Waits up to timeoutMs for the program to end and returns its exit code.
    // On time-out the program is killed and nothing is returned: a killed
    // program reports 0 under Wine, which must never pass for success.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// `taskkill /im imageName` without /f, as a user or a system tool ends a
// program: a close posted to each of its top-level windows. True when
// taskkill ran and ended.
bool AskToEnd(const std::string& imageName);

// Starts the system's Notepad as notepad and waits for its visible window
// (a window of another process); nullptr when none came within 10 s.
HWND StartNotepad(Program& notepad);

// Visible message boxes and dialogs of any process: one left behind, or
// Wine's crash dialog.
std::vector<HWND> BoxesOnScreen();

// What a top-level window must match; empty texts and id 0 match anything.
struct WindowQuery {
    std::string className;
    std::string caption;
    DWORD processId = 0;
    bool visibleOnly = false;
};

// All top-level windows that match now.
std::vector<HWND> FindWindows(const WindowQuery& query);

// Polls (pumping this thread's messages) until a matching window exists.
// Returns nullptr after timeoutMs.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs);

std::string ClassOf(HWND window);
std::string TextOf(HWND window);

struct MessageBoxButton {
    int id;
    std::string text;
};

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<MessageBoxButton> buttons;  // in child order
    bool HasButton(int id) const;
};

// Waits for a message box (a visible "#32770" window with its text static)
// of the given process and reads it.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Reads a message box that is already on screen.
MessageBoxInfo ReadMessageBox(HWND box);

// Presses the button with the given id (IDOK, IDCANCEL, IDYES, ...) as a
// click would. Returns false when the box has no such button.
bool PressButton(const MessageBoxInfo& box, int id);

// Waits until the window no longer exists.
bool WaitForWindowGone(HWND window, DWORD timeoutMs);

// Asks every top-level window of the class to close, and waits up to 5 s for
// each to go: what one test leaves open must not be found by the next.
void CloseWindowsOfClass(const char* className);

RECT WindowRect(HWND window);

// Waits until the window's top-left corner is at x,y; tookMs, when given,
// receives how long that took.
bool WaitForOrigin(HWND window, int x, int y, DWORD timeoutMs, DWORD* tookMs = nullptr);

// A visible dialog of the process that holds the control: what tells one
// dialog of a program from another. Control id 0: any of its dialogs.
HWND WaitForDialogWith(DWORD processId, int controlId, DWORD timeoutMs);
bool IsTopMost(HWND window);

// Reads a text value (REG_SZ); an empty valueName reads the key's default
// value. Returns nothing when the key or value is missing.
std::optional<std::string> ReadRegistryText(HKEY root, const std::string& keyPath,
                                            const std::string& valueName = "");

// Stores text as the value (REG_SZ), creating the key; an empty valueName
// writes the key's default value. True when it was written.
bool WriteRegistryText(HKEY root, const std::string& keyPath, const std::string& text,
                       const std::string& valueName = "");

// Deletes a key and everything below it; true when it is gone afterwards.
bool DeleteRegistryTree(HKEY root, const std::string& keyPath);

// Lets this thread's own windows and hooks run for a while.
void PumpFor(DWORD ms);

}  // namespace e2e

#endif
