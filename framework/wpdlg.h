// Dialogs built from templates in the program's resources. A dialog's
// control map binds its controls to the fields of a plain data record:
// opening copies the record into the controls, OK copies them back.
#ifndef KIVORA_WPDLG_H
#define KIVORA_WPDLG_H

#include "resources/wpaboutids.h"
#include "wpctrlmap.h"
#include "wpwin.h"

class WPDialog : public WPWin {
public:
    WPDialog(const char* templateName, WPWin* parent, const WPCtrlMapEntry* map = nullptr,
             void* record = nullptr);

    // Replaced operations of WPWin.
    // Straight to the dialog manager's procedure, which calls WPDlgProc.
    LRESULT HandleMessage(WPMsg& msg) override;
    void AddOwnerDraw(WPOwnerDraw* item) override;
    // The close box acts as Cancel, once.
    int OnClose() override;
    // 1: SaveData and end with 1; 2: end with 2 unless OnQueryEndSession
    // refuses; others are not handled.
    int OnCommand(int id, int code) override;
    // Hands the request to the scroll-bar object with the control id.
    int OnScroll(int code, int id, int position) override;
    // Owner-draw messages go to ownerDraw.
    int OnOther(WPMsg& msg) override;

    // Added operations, in this order.
    // Called once the map is bound and before the record is loaded.
    virtual void OnInit();
    // Copies every bound control's value into the record; sets saved.
    virtual void SaveData();
    // Copies the record into every bound control; focuses focusId.
    virtual void LoadData();

    // dlgResult = code, then Destroy.
    void EndDlg(int code);
    // Create, then the end code (1 OK, 2 Cancel, -1 no template).
    int Execute();
    // Binds each mapped control to its field of record; load: LoadData.
    void BindControlMap(void* record, int load);
    // What WM_INITDIALOG does: bind, OnInit, load. Returns 1 when the dialog
    // manager is to set the focus (focusId 0).
    int InitDialog();

    const WPCtrlMapEntry* ctrlMap = nullptr;
    unsigned char* data = nullptr;
    int saved = 0;
    WPOwnerDraw* ownerDraw = nullptr;
    const char* templateName = nullptr;
    int focusId = 0;
    int dlgResult = 0;
    WPDialog* nextModeless = nullptr;  // the next older live modeless dialog

protected:
    // The owner given at construction (the template is shared, so it is
    // kept here for Create).
    WPWin* owner = nullptr;

    // Shows "Couldn't load dialog: %s." and the assertion "FALSE".
    void ReportMissingTemplate();
};

// Runs as a modal dialog: Create waits until it ends.
class WPModalDlg : public WPDialog {
public:
    WPModalDlg(const char* templateName, WPWin* parent, const WPCtrlMapEntry* map = nullptr,
               void* record = nullptr)
        : WPDialog(templateName, parent, map, record) {}
    // Runs the dialog; dlgResult gets the result. 1 unless it was -1.
    int Create() override;
    // Ends the dialog with dlgResult.
    void Destroy() override;
};

// Lives beside the program's other windows; the message loop offers it
// keyboard messages (newest dialog first).
class WPModelessDlg : public WPDialog {
public:
    // Joins the application's list of modeless dialogs, at its head.
    WPModelessDlg(const char* templateName, WPWin* parent, const WPCtrlMapEntry* map = nullptr,
                  void* record = nullptr);
    // Leaves the list (assertion "d" if it is not there).
    ~WPModelessDlg() override;
    // Creates the dialog window; 1 if created.
    int Create() override;
};

// The dialog whose WM_INITDIALOG comes next (set by every constructor).
extern WPDialog* dialogUnderConstruction;

// The framework dialog procedure: binds the dialog under construction at
// WM_INITDIALOG, then routes every message to its handler.
INT_PTR CALLBACK WPDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The item of "DLGABOUT" on which the program icon is painted.
const int kAboutIconId = KIVORA_ABOUT_ICON_ID;

// The About box on "DLGABOUT", owned by owner; a beep if it cannot run.
// Its item kAboutIconId, when there is one, shows "appicon".
void ShowAboutBox(WPWin* owner);

#endif
