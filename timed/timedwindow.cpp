#include "timedwindow.h"

namespace timed {

// Texts in this file are Shift-JIS at run time.
const char kMenuClose[] = "終了";
const char kMenuChangeTime[] = "時間変更";
const char kMenuHideIcon[] = "ﾀｽｸﾄﾚｲに表示させない";
const char kMenuAbout[] = "について";

namespace {

// The desktop window's device context, released on every path.
class ScreenContext {
public:
    ScreenContext() : desktop_(::GetDesktopWindow()), dc_(::GetDC(desktop_)) {}
    ~ScreenContext() {
        if (dc_) ::ReleaseDC(desktop_, dc_);
    }
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND desktop_;
    HDC dc_;
};

}  // namespace

LocalDateTime LocalNow() {
    SYSTEMTIME now;
    Platform().LocalTime(&now);
    return LocalDateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                         now.wMilliseconds};
}

int ScreenLineHeight() {
    ScreenContext screen;
    TEXTMETRICA metrics = {};
    if (!screen.Get() || !::GetTextMetricsA(screen.Get(), &metrics)) return 0;
    return metrics.tmHeight + metrics.tmExternalLeading;
}

}  // namespace timed
