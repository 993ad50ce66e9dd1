// Helpers of the framework window tests: application set-up, pumping, and a
// modal dialog that runs a test script once it is open.
#ifndef KIVORA_WINDOWS_TEST_SUPPORT_H
#define KIVORA_WINDOWS_TEST_SUPPORT_H

#include <windows.h>

#include <string.h>

#include <functional>

#include "wpapp.h"
#include "wpdlg.h"

// Every test needs the module's resources.
inline void UseTestModule() { wpApp.hinst = ::GetModuleHandleA(nullptr); }

// Dispatches waiting messages for about the given time.
inline void Pump(DWORD milliseconds = 50) {
    DWORD end = ::GetTickCount() + milliseconds;
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

// A modal dialog that runs script once it is open and shown. The script ends the dialog itself, e.g.
// with Press(IDOK).
class ScriptedDialog : public WPModalDlg {
public:
    static const UINT kScriptTimer = 0x5C41;

    ScriptedDialog(const char* name, const WPCtrlMapEntry* map, void* record, WPWin* owner = nullptr)
        : WPModalDlg(name, owner, map, record) {}

    std::function<void(ScriptedDialog&)> script;
    std::function<void(ScriptedDialog&)> onInit;

    // A modal dialog is shown once its queue first runs empty: the script
    // waits for that on a timer, which only fires on an empty queue.
    void OnInit() override {
        if (onInit) onInit(*this);
        ::SetTimer(hwnd, kScriptTimer, 10, nullptr);
    }
    int OnTimer(UINT id) override {
        if (id != kScriptTimer) return WPModalDlg::OnTimer(id);
        if (!::IsWindowVisible(hwnd)) return 1;
        ::KillTimer(hwnd, kScriptTimer);
        if (script) script(*this);
        return 1;
    }
    void Press(int id) { ::SendMessageA(hwnd, WM_COMMAND, id, 0); }
    HWND Item(int id) const { return ::GetDlgItem(hwnd, id); }
};

#endif

