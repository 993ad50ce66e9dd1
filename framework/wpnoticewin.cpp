#include "wpnoticewin.h"

#include "wpplatform.h"

void ShowNotices(const WPNotice* notices, int count, HWND mainWindow) {
    for (int i = 0; i < count; ++i) {
        const WPNotice& notice = notices[i];
        if (notice.beepFirst) Platform().Beep(0);
        Platform().ShowMessageBox(notice.ownedByMainWindow ? mainWindow : nullptr, notice.text,
                                  notice.caption, notice.style);
    }
}
