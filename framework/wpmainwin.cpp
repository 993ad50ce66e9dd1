#include "wpmainwin.h"

#include "wpapp.h"
#include "wpdlg.h"
#include "wpdoctext.h"
#include "wpfiledlg.h"
#include "wpgdi.h"
#include "wpplatform.h"
#include "wpkeycursor.h"
#include "wpodraw.h"
#include "wptext.h"

char mainWinText[256];
static_assert(sizeof mainWinText >= kCaptionSize, "a caption fits the shared buffer");

WPMainWin::WPMainWin(const char* className) : WPWin(className) {
    createTemplate.title = className;
    createTemplate.style = WS_OVERLAPPEDWINDOW;
    createTemplate.menuName = "AppMenu";
    HICON icon = ::LoadIconA(wpApp.hinst, "AppIcon");
    createTemplate.icon = icon ? icon : ::LoadIconA(nullptr, IDI_APPLICATION);
    // The program's start-up work follows in the derived constructor; Run
    // ends the hold when it takes the window over.
    if (wpApp.startingUp) {
        wpApp.startingUp = false;
        HoldWhileConstructing();
    }
}

WPMainWin::~WPMainWin() {
    // The loop asks mainWin for idle work; it must not reach a dead object.
    if (wpApp.mainWin == this) wpApp.mainWin = nullptr;
    if (!keepRunning) wpApp.PostQuit(0);
}

// ---- Replaced handlers ----------------------------------------------------

void WPMainWin::AddOwnerDraw(WPOwnerDraw* item) {
    item->next = ownerDraw;
    ownerDraw = item;
}

int WPMainWin::OnActivate(int state, int minimized) {
    if (!Platform().MousePresent() && !minimized)
        Platform().ShowCursor(state != WA_INACTIVE);
    SetFocus();
    return 1;
}

int WPMainWin::OnClose() {
    if (OnQueryEndSession())
        Destroy();
    return 1;
}

int WPMainWin::OnCommand(int id, int code) {
    char chosen[kFileDlgNameSize] = {};
    switch (id) {
    case kCmdClose:
    case kCmdExit:
        SendMsg(WM_CLOSE);
        return 1;
    case kCmdNew:
        if (QuerySave() && NewDocument())
            SetFileName("");
        return 1;
    case kCmdOpen:
        if (QuerySave()) {
            WPOpenDlg open(this, chosen);
            open.SetFilter(fileFilter);
            if (open.Execute() && LoadDocument(chosen))
                SetFileName(chosen);
        }
        return 1;
    case kCmdSave:
        if (fileName[0]) {
            if (SaveDocument(fileName))
                SetModified(0);
            return 1;
        }
        return OnCommand(kCmdSaveAs, code);
    case kCmdSaveAs: {
        WPSaveDlg save(this, chosen);
        save.SetFilter(fileFilter);
        if (save.Execute() && SaveDocument(chosen))
            SetFileName(chosen);
        return 1;
    }
    case kCmdPrint: {
        WPPrintDlg print(this);
        if (print.Execute())
            PrintDocument(print);
        return 1;
    }
    case kCmdEdit1: return OnEditCmd1();
    case kCmdEdit2: return OnEditCmd2();
    case kCmdEdit3: return OnEditCmd3();
    case kCmdEdit4: return OnEditCmd4();
    case kCmdEdit5: return OnEditCmd5();
    case kCmdAbout:
        ShowAboutBox(this);
        return 1;
    case kCmdHeapReport:
        wpApp.AllHeapReports();
        return 1;
    default:
        return 0;
    }
}

int WPMainWin::OnKey(WPMsg& msg) {
    if (msg.msg == WM_KEYUP) {
        cursorStep = 1;
        return 0;
    }
    if (msg.msg != WM_KEYDOWN)
        return 0;
    cursorStep = AccelerateStep(cursorStep, LOWORD(msg.lParam));
    int key = static_cast<int>(msg.wParam);
    if (!IsArrowKey(key))
        return 0;
    POINT at;
    Platform().CursorPos(&at);
    ::ScreenToClient(hwnd, &at);
    RECT client;
    ::GetClientRect(hwnd, &client);
    int x = at.x, y = at.y;
    MoveByArrowKey(key, cursorStep, &x, &y, client.left, client.top, client.right, client.bottom);
    at.x = x;
    at.y = y;
    ::ClientToScreen(hwnd, &at);
    Platform().SetCursorPos(at.x, at.y);
    return 1;
}

int WPMainWin::OnInitMenu(WPMenu& menu) {
    if (menu != WPMenu::OfWindow(this))
        return 0;
    menu.Enable(kCmdSave, fileName[0] != '\0' && IsModified());
    menu.Enable(kCmdEdit1, CanEdit1());
    menu.Enable(kCmdEdit2, CanEdit1());
    menu.Enable(kCmdEdit4, CanEdit1());
    menu.Enable(kCmdEdit3, CanEdit3());
    menu.Enable(kCmdEdit5, CanEdit2());
    return 1;
}

int WPMainWin::OnMenuSelect(int item, HMENU menu) {
    if (!status)
        return 0;
    mainWinText[0] = '\0';
    GetMenuHelp(mainWinText, item, menu);
    status->Invalidate(TRUE);
    status->SetText(mainWinText);
    return 1;
}

int WPMainWin::OnPaint() {
    WPPaintDC dc(this);
    OnDraw(dc);
    return 1;
}

int WPMainWin::OnQueryEndSession() { return QuerySave(); }

int WPMainWin::OnOther(WPMsg& msg) { return DispatchOwnerDraw(ownerDraw, msg); }

// ---- Added operations -----------------------------------------------------

int WPMainWin::OnIdle() { return 0; }
void WPMainWin::GetMenuHelp(char*, int, HMENU) {}
void WPMainWin::OnDraw(WPPaintDC&) {}
const char* WPMainWin::GetFileName() { return fileName; }

void WPMainWin::SetFileName(const char* name) {
    // A longer name is cut to the field.
    CopyText(fileName, sizeof fileName, name ? name : "");
    SetModified(0);
    if (title) {
        FormatCaption(mainWinText, sizeof mainWinText, title, fileName);
        SetText(mainWinText);
    }
}

void WPMainWin::SetModified(int flag) { modified = flag; }
int WPMainWin::IsModified() { return modified; }
int WPMainWin::NewDocument() { return 0; }
int WPMainWin::LoadDocument(const char*) { return 0; }
int WPMainWin::SaveDocument(const char*) { return 0; }
int WPMainWin::PrintDocument(WPPrintDlg&) { return 0; }
int WPMainWin::OnEditCmd1() { return 0; }
int WPMainWin::OnEditCmd2() { return 0; }
int WPMainWin::OnEditCmd3() { return 0; }
int WPMainWin::OnEditCmd4() { return 0; }
int WPMainWin::OnEditCmd5() { return 0; }
int WPMainWin::CanEdit1() { return 0; }
int WPMainWin::CanEdit2() { return 0; }
int WPMainWin::CanEdit3() { return 0; }

void WPMainWin::OpenDocument(const char* name, const char* documentTitle) {
    title = documentTitle;
    if (name && name[0])
        LoadDocument(name);
    SetFileName(name);
}

int WPMainWin::QuerySave() {
    if (!IsModified())
        return 1;
    char prompt[sizeof fileName + 64];
    FormatSavePrompt(prompt, sizeof prompt, fileName);
    Platform().Beep(0);
    int answer = MsgBox(prompt, title, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO)
        return 1;
    if (answer != IDYES)
        return 0;
    const char* name = fileName;
    char chosen[kFileDlgNameSize] = {};
    if (!fileName[0]) {
        WPSaveDlg save(this, chosen);
        save.SetFilter(fileFilter);
        if (!save.Execute())
            return 0;
        name = chosen;
    }
    return SaveDocument(name);
}
