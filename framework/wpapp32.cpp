// The application object: construction, start-up values, names and the
// settings-file operations.
#include "wpapp.h"

#include "wpdlg.h"
#include "wpformat.h"
#include "wptext.h"
#include "wpwin.h"

WPApp* appList = nullptr;
WPApp wpApp;

WPApp::WPApp() {
    winProc = WPWinProc;
    dlgProc = WPDlgProc;
    oomHandler = WPOutOfMemoryPrompt;
    baseCount = local.count + bigCount;
    next = appList;
    appList = this;
    alive = 1;
}

WPApp::~WPApp() {
    ObjectReport();
    WPApp** link = &appList;
    while (*link && *link != this) link = &(*link)->next;
    if (WPCheck(*link != nullptr, "app")) *link = next;
    alive = 0;
    next = nullptr;
}

void WPApp::Init(HINSTANCE instance, HINSTANCE previous, char* commandLine, int show) {
    hinst = instance;
    hPrevInst = previous;
    cmdLine = commandLine;
    cmdShow = show;
    // No "AppAccel" resource simply means no accelerators.
    if (FindResourceA(hinst, "AppAccel", RT_ACCELERATOR)) accel = LoadAcceleratorsA(hinst, "AppAccel");
}

void WPApp::PostQuit(int code) {
    ++quitsPosted;
    lastQuitCode = code;
    PostQuitMessage(code);
}

int WPApp::CopyCmdLine(char* dest, int size) const { return CopyText(dest, size, cmdLine ? cmdLine : ""); }

const char* WPApp::GetName() {
    if (!name[0] && hinst) {
        char path[MAX_PATH + 1] = {};
        GetModuleFileNameA(hinst, path, MAX_PATH);
        ProgramNameFromPath(path, name);
    }
    return name;
}

char* WPApp::GetIniName(char* buffer) {
    return IniNameFromProgramName(GetName(), buffer, kIniNameSize);
}

const char* WPApp::ProfileFile() { return GetIniName(buf); }

int WPApp::GetProfileStr(const char* key, char* buffer, int size, const char* defaultText,
                         const char* section) {
    if (!section) section = GetName();
    if (useWinIni) return GetProfileStringA(section, key, defaultText, buffer, size);
    return GetPrivateProfileStringA(section, key, defaultText, buffer, size, ProfileFile());
}

int WPApp::GetProfileNum(const char* key, int defaultValue, const char* section) {
    if (!section) section = GetName();
    if (useWinIni) return GetProfileIntA(section, key, defaultValue);
    return GetPrivateProfileIntA(section, key, defaultValue, ProfileFile());
}

BOOL WPApp::WriteProfileStr(const char* key, const char* text, const char* section) {
    if (!section) section = GetName();
    if (useWinIni) return WriteProfileStringA(section, key, text);
    return WritePrivateProfileStringA(section, key, text, ProfileFile());
}

BOOL WPApp::WriteProfileNum(const char* key, int value, const char* section) {
    char text[16];
    FormatText(text, sizeof text, "%d", value);
    return WriteProfileStr(key, text, section);
}
