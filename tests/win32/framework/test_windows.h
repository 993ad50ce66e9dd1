// Window objects and helpers shared by the framework's Win32 tests.
#ifndef KIVORA_TEST_WINDOWS_H
#define KIVORA_TEST_WINDOWS_H

#include "wpapp.h"
#include "wpwin.h"

#include <string>
#include <vector>

// Every handler call as text, e.g. "OnMouse 513 -3 -7 1".
class RecordingWin : public WPWin {
public:
    explicit RecordingWin(const char* className = "KivoraTestWin", WPWin* parent = nullptr,
                          HMENU menuOrId = nullptr)
        : WPWin(className, parent, menuOrId) {}

    std::vector<std::string> calls;
    int answer = 1;         // what every handler returns
    LRESULT setResult = 0;  // stored in the record's result when nonzero
    int queryEndSession = 1;

    int OnActivate(int state, int minimized) override { return Note("OnActivate", state, minimized); }
    int OnClose() override { return Note("OnClose"); }
    int OnCommand(int id, int code) override { return Note("OnCommand", id, code); }
    int OnEnable(int enabled) override { return Note("OnEnable", enabled); }
    int OnGetMinMaxInfo(MINMAXINFO* info) override {
        minMaxInfo = info;
        return Note("OnGetMinMaxInfo");
    }
    int OnSetFocus(WPWin* previous) override {
        focusPeer = previous;
        return Note("OnSetFocus");
    }
    int OnKey(WPMsg& msg) override { return NoteMsg("OnKey", msg); }
    int OnKillFocus(WPWin* next) override {
        focusPeer = next;
        return Note("OnKillFocus");
    }
    int OnInitMenu(WPMenu& menu) override {
        menuSeen = menu.hmenu;
        return Note("OnInitMenu");
    }
    int OnMenuSelect(int item, HMENU menu) override {
        menuSeen = menu;
        return Note("OnMenuSelect", item);
    }
    int OnMouse(UINT message, int x, int y, WPARAM keys) override {
        return Note("OnMouse", static_cast<int>(message), x, y, static_cast<int>(keys));
    }
    int OnMove(int x, int y) override { return Note("OnMove", x, y); }
    int OnPaint() override { return Note("OnPaint"); }
    int OnQueryEndSession() override {
        Note("OnQueryEndSession");
        return queryEndSession;
    }
    int OnQueryOpen() override {
        Note("OnQueryOpen");
        return 1;
    }
    int OnScroll(int code, int id, int position) override {
        return Note("OnScroll", code, id, position);
    }
    int OnSize(WPRect& rect, int sizeType) override {
        return Note("OnSize", rect.left, rect.top, rect.right, rect.bottom, sizeType);
    }
    int OnTimer(UINT id) override { return Note("OnTimer", static_cast<int>(id)); }
    int OnOther(WPMsg& msg) override { return NoteMsg("OnOther", msg); }
    int OnNotify(WPMsg& msg) override { return NoteMsg("OnNotify", msg); }

    std::string Last() const { return calls.empty() ? "" : calls.back(); }

    MINMAXINFO* minMaxInfo = nullptr;
    WPWin* focusPeer = nullptr;
    HMENU menuSeen = nullptr;

private:
    template <typename... Ints>
    int Note(const char* name, Ints... values) {
        std::string call = name;
        for (int v : {static_cast<int>(values)...}) call += " " + std::to_string(v);
        calls.push_back(call);
        return answer;
    }
    int Note(const char* name) {
        calls.push_back(name);
        return answer;
    }
    int NoteMsg(const char* name, WPMsg& msg) {
        Note(name, static_cast<int>(msg.msg), static_cast<int>(msg.wParam),
             static_cast<int>(msg.lParam));
        if (answer && setResult) msg.result = setResult;
        return answer;
    }
};

// Makes the framework usable in a test program: the module is this exe.
inline void UseThisModule() {
    if (!wpApp.hinst) wpApp.hinst = GetModuleHandleA(nullptr);
}

// Removes whatever the thread's queue holds, quit messages included.
inline void DrainQueue() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
}

#endif
