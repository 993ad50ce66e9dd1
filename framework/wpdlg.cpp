#include "wpdlg.h"

#include "wpapp.h"
#include "wpctrl.h"
#include "wpdiag.h"
#include "wpodraw.h"
#include "wpplatform.h"

WPDialog* dialogUnderConstruction = nullptr;

WPDialog::WPDialog(const char* name, WPWin* parent, const WPCtrlMapEntry* map, void* record)
    : WPWin(nullptr, parent),
      ctrlMap(map),
      data(static_cast<unsigned char*>(record)),
      templateName(name),
      owner(parent) {
    dialogUnderConstruction = this;
}

LRESULT WPDialog::HandleMessage(WPMsg& msg) { return CallOldProc(msg); }

void WPDialog::AddOwnerDraw(WPOwnerDraw* item) {
    item->next = ownerDraw;
    ownerDraw = item;
}

int WPDialog::OnClose() {
    OnCommand(IDCANCEL, 0);
    // Handled: the dialog manager's default would send a Cancel of its own
    // and ask a second time.
    return 1;
}

int WPDialog::OnCommand(int id, int code) {
    if (id == IDOK) {
        SaveData();
        EndDlg(IDOK);
        return 1;
    }
    if (id == IDCANCEL) {
        if (OnQueryEndSession())
            EndDlg(IDCANCEL);
        return 1;
    }
    return 0;
}

int WPDialog::OnScroll(int code, int id, int position) {
    auto* bar = dynamic_cast<WPScrollBar*>(GetChild(id));
    if (!bar)
        return 0;
    bar->ScrollTo(code, position);
    return 1;
}

int WPDialog::OnOther(WPMsg& msg) {
    if (!DispatchOwnerDraw(ownerDraw, msg))
        return 0;
    // A dialog procedure answers WM_COMPAREITEM with the comparison itself.
    return msg.msg == WM_COMPAREITEM ? static_cast<int>(msg.result) : 1;
}

void WPDialog::OnInit() {}

void WPDialog::SaveData() {
    saved = 1;
    for (WPWin* child = FirstChild(); child; child = child->NextSibling())
        if (auto* control = dynamic_cast<WPCtrl*>(child))
            control->GetData();
}

void WPDialog::LoadData() {
    bool focused = false;
    for (WPWin* child = FirstChild(); child; child = child->NextSibling()) {
        auto* control = dynamic_cast<WPCtrl*>(child);
        if (!control)
            continue;
        control->SetData();
        if (focusId != 0 && control->GetId() == focusId) {
            control->SetFocus();
            focused = true;
        }
    }
    // A focus id naming an item without an object: focus the item itself,
    // or the dialog would open with no focus at all.
    if (focusId != 0 && !focused) {
        if (HWND item = ::GetDlgItem(hwnd, focusId))
            ::SetFocus(item);
    }
}

void WPDialog::EndDlg(int code) {
    dlgResult = code;
    Destroy();
}

namespace {
// The end code of the last modal run, for dialogs made with new: their
// window's end deletes them before the run returns.
int lastEndCode = 0;
}  // namespace

int WPDialog::Execute() {
    bool selfDeleting = deletable != 0;
    lastEndCode = dlgResult;
    Create();
    return selfDeleting ? lastEndCode : dlgResult;
}

void WPDialog::BindControlMap(void* record, int load) {
    data = static_cast<unsigned char*>(record);
    if (!ctrlMap)
        return;
    int i = 0;
    for (; ctrlMap[i].factory; ++i) {
        const WPCtrlMapEntry& entry = ctrlMap[i];
        HWND item = ::GetDlgItem(hwnd, entry.id);
        if (!item) {
            WPError("Error: ID %d is in control map but not dialog!", entry.id);
            continue;
        }
        auto* control = dynamic_cast<WPCtrl*>(GetWin(item));
        if (!control)
            control = entry.factory(this, entry.id);
        // After OK on the assertion there is no control: skip the entry.
        if (!WPCheck(control != nullptr, "ctl"))
            continue;
        if (data && entry.size > 0)
            control->SetBuffer(data + entry.offset, entry.size);
        else
            control->SetBuffer(nullptr, 0);
    }
    focusId = ctrlMap[i].id;
    if (load)
        LoadData();
}

int WPDialog::InitDialog() {
    saved = 0;
    BindControlMap(data, 0);
    OnInit();
    LoadData();
    return focusId == 0 ? 1 : 0;
}

void WPDialog::ReportMissingTemplate() {
    WPError("Couldn't load dialog: %s.", templateName ? templateName : "");
    WPCheck(false, "FALSE");
}

// ---- Modal and modeless ---------------------------------------------------

int WPModalDlg::Create() {
    // Set again here: another dialog may have been constructed since this one.
    dialogUnderConstruction = this;
    bool selfDeleting = deletable != 0;
    INT_PTR result = ::DialogBoxParamA(wpApp.hinst, templateName, owner ? owner->hwnd : nullptr,
                                       wpApp.dlgProc, 0);
    lastEndCode = static_cast<int>(result);
    // A dialog made with new is gone once its window ended: touch nothing.
    if (selfDeleting && result != -1)
        return 1;
    dlgResult = static_cast<int>(result);
    if (result == -1) {
        // Nothing took the dialog: do not leave it for the next one's start.
        if (dialogUnderConstruction == this)
            dialogUnderConstruction = nullptr;
        ReportMissingTemplate();
        // No window will ever end it, so a dialog made with new ends here.
        if (selfDeleting)
            delete this;
        return 0;
    }
    return 1;
}

void WPModalDlg::Destroy() {
    if (hwnd)
        ::EndDialog(hwnd, dlgResult);
}

WPModelessDlg::WPModelessDlg(const char* name, WPWin* parent, const WPCtrlMapEntry* map,
                             void* record)
    : WPDialog(name, parent, map, record) {
    nextModeless = wpApp.modeless;
    wpApp.modeless = this;
}

WPModelessDlg::~WPModelessDlg() {
    WPDialog** link = &wpApp.modeless;
    while (*link && *link != this)
        link = &(*link)->nextModeless;
    if (WPCheck(*link == this, "d"))
        *link = nextModeless;
    nextModeless = nullptr;
}

int WPModelessDlg::Create() {
    if (hwnd)
        return 1;
    // Set again here: another dialog may have been constructed since this one.
    dialogUnderConstruction = this;
    HWND created = ::CreateDialogParamA(wpApp.hinst, templateName, owner ? owner->hwnd : nullptr,
                                        wpApp.dlgProc, 0);
    if (!created) {
        if (dialogUnderConstruction == this)
            dialogUnderConstruction = nullptr;
        ReportMissingTemplate();
        return 0;
    }
    return 1;
}

// ---- Dialog procedure -----------------------------------------------------

INT_PTR CALLBACK WPDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        WPDialog* dialog = dialogUnderConstruction;
        dialogUnderConstruction = nullptr;
        // After OK on the assertion there is no object: a plain dialog.
        if (!WPCheck(dialog != nullptr, "dlg"))
            return TRUE;
        dialog->Attach(hwnd);
        return dialog->InitDialog();
    }
    WPWin* win = WPWin::GetWin(hwnd);
    if (!win)
        return 0;
    WPMsg msg = {message, wParam, lParam, 0};
    return win->Dispatch(msg);
}

namespace {
// The About box: its icon item, when the template has one, shows "appicon".
class AboutBox : public WPModalDlg {
public:
    explicit AboutBox(WPWin* owner) : WPModalDlg("DLGABOUT", owner) {}
    void OnInit() override {
        if (::GetDlgItem(hwnd, kAboutIconId))
            new WPIconCtrl(this, kAboutIconId, wpApp.LoadIcon("appicon"));
    }
};
}  // namespace

void ShowAboutBox(WPWin* owner) {
    AboutBox about(owner);
    if (about.Execute() == -1)
        Platform().Beep(0);
}
