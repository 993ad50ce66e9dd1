// The framework window procedure: every bound window's messages enter here.
#include "wpwin.h"

// Counts one running handler of win for as long as it lives. The last one to
// end deletes an object whose window was destroyed meanwhile.
class WPHandlerScope {
public:
    explicit WPHandlerScope(WPWin* win) : win_(win) { ++win_->handlerDepth_; }
    ~WPHandlerScope() {
        if (--win_->handlerDepth_ == 0 && win_->deleteWhenIdle_) delete win_;
    }
    WPHandlerScope(const WPHandlerScope&) = delete;
    WPHandlerScope& operator=(const WPHandlerScope&) = delete;

private:
    WPWin* win_;
};

LRESULT CALLBACK WPWinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WPWin* win = WPWin::GetWin(hwnd);
    if (!WPCheck(win != nullptr, "win")) {
        // No object to hand the message to: default processing.
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        // Unbound first, on every path: nothing the destructors cause (a
        // message to the window, say) reaches an object half destroyed.
        // An object made with new belongs to its window; others are only
        // unbound and ended by their owner. A handler of the object that is
        // still running (its nested loop saw the window go), or its
        // construction, returns into a live object: it is deleted once that
        // is done.
        win->Detach();
        if (!win->deletable) return 0;
        if (win->handlerDepth_ == 0)
            delete win;
        else
            win->deleteWhenIdle_ = true;
        return 0;
    }
    WPMsg msg = {message, wParam, lParam, 0};
    WPHandlerScope running(win);
    return win->HandleMessage(msg);
}
