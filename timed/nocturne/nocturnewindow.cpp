#include "nocturnewindow.h"

#include "timedusage.h"

namespace nocturne {

const char TimedWindow::kName[] = "Nocturne";

TimedWindow::TimedWindow() { SetUp(); }

int TimedWindow::ReadRequest(const char* commandLine) {
    CloseFields fields{TextField{timeText, sizeof timeText}, TextField{caption, sizeof caption},
                       &noIcon, &politeClose};
    if (!ParseCommandLine(commandLine, fields)) return 0;
    return NormalizeTime(TextField{timeText, sizeof timeText}, TextField{hourText, sizeof hourText},
                         TextField{minuteText, sizeof minuteText},
                         TextField{secondText, sizeof secondText});
}

WPNotice TimedWindow::UsageBox() { return CloseUsageBox(); }

}  // namespace nocturne
