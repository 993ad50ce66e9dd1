// The main frame window: the program's top-level window with its menu and
// icon, a current document (file name, modified flag, title), the standard
// menu commands, a save prompt before closing, a keyboard stand-in for the
// mouse, and the message loop's idle hook.
#ifndef KIVORA_WPMAINWIN_H
#define KIVORA_WPMAINWIN_H

#include "wpwin.h"

class WPPaintDC;
class WPPrintDlg;

// Standard command ids (menu item ids).
enum WPStandardCommand {
    kCmdClose = 512, kCmdNew = 513, kCmdOpen = 514, kCmdSave = 515, kCmdSaveAs = 516,
    kCmdPrint = 517, kCmdExit = 518, kCmdEdit1 = 522, kCmdEdit2 = 523, kCmdEdit3 = 524,
    kCmdEdit4 = 525, kCmdEdit5 = 526, kCmdAbout = 532, kCmdHeapReport = 534
};

class WPMainWin : public WPWin {
public:
    // Template: title = class name, WS_OVERLAPPEDWINDOW, menu "AppMenu",
    // class icon "AppIcon" or the system application icon. Not created here.
    explicit WPMainWin(const char* className);
    // Posts the quit message (code 0) unless keepRunning is set.
    ~WPMainWin() override;

    // Replaced operations of WPWin.
    void AddOwnerDraw(WPOwnerDraw* item) override;
    // Without a mouse, shows the cursor while active; takes the focus.
    int OnActivate(int state, int minimized) override;
    // Destroys the window if OnQueryEndSession allows it.
    int OnClose() override;
    int OnCommand(int id, int code) override;
    // Arrow keys move the cursor, faster while held.
    int OnKey(WPMsg& msg) override;
    int OnInitMenu(WPMenu& menu) override;
    int OnMenuSelect(int item, HMENU menu) override;
    int OnPaint() override;
    // QuerySave.
    int OnQueryEndSession() override;
    int OnOther(WPMsg& msg) override;

    // Added operations, in this order. OnIdle comes first: the loop calls it.
    virtual int OnIdle();
    // Writes the help text of a menu item into buffer (sizeof mainWinText).
    virtual void GetMenuHelp(char* buffer, int item, HMENU menu);
    virtual void OnDraw(WPPaintDC& dc);
    virtual const char* GetFileName();
    virtual void SetFileName(const char* name);
    virtual void SetModified(int flag);
    virtual int IsModified();
    virtual int NewDocument();
    virtual int LoadDocument(const char* name);
    virtual int SaveDocument(const char* name);
    virtual int PrintDocument(WPPrintDlg& dialog);
    virtual int OnEditCmd1();
    virtual int OnEditCmd2();
    virtual int OnEditCmd3();
    virtual int OnEditCmd4();
    virtual int OnEditCmd5();
    virtual int CanEdit1();
    virtual int CanEdit2();
    virtual int CanEdit3();

    // Sets title; loads name when it is not empty; then SetFileName (name).
    void OpenDocument(const char* name, const char* documentTitle);
    // 1 to go on (saved, or not to be saved), 0 to stop.
    int QuerySave();

    char fileName[128] = {};
    WPOwnerDraw* ownerDraw = nullptr;
    int cursorStep = 1;
    int keepRunning = 0;
    const char* title = nullptr;
    const char* fileFilter = nullptr;
    int modified = 0;
    WPWin* status = nullptr;
};

// The shared text buffer for captions and menu help: a title, a blank and a
// file name of up to 127 characters fit.
extern char mainWinText[256];

#endif
