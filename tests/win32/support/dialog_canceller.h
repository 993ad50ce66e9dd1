// Cancels every dialog of this thread as it comes up, and counts them, for
// as long as it lives: a test that opens dialogs through messages sees how
// many opened, and none waits for a person.
#pragma once

#include <windows.h>

class DialogCanceller {
public:
    DialogCanceller() : hook_(SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId())) { Reset(); }
    ~DialogCanceller() { UnhookWindowsHookEx(hook_); }
    DialogCanceller(const DialogCanceller&) = delete;
    DialogCanceller& operator=(const DialogCanceller&) = delete;

    int Opened() const { return Count(); }
    void Reset() { Count() = 0; }

private:
    static int& Count() {
        static int opened = 0;
        return opened;
    }
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
        char cls[16] = "";
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && GetClassNameA(window, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0) {
            ++Count();
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
};
