#include "aubadewindow.h"

#include "timedusage.h"

namespace aubade {

const char TimedWindow::kName[] = "Aubade";

TimedWindow::TimedWindow() { SetUp(); }

int TimedWindow::ReadRequest(const char* commandLine) {
    LaunchFields fields{TextField{timeText, sizeof timeText},
                        TextField{program, sizeof program},
                        TextField{parameters, sizeof parameters},
                        TextField{directory, sizeof directory},
                        &noIcon,
                        &quitAfterFire};
    if (!ParseCommandLine(commandLine, fields)) return 0;
    return NormalizeTime(TextField{timeText, sizeof timeText}, TextField{hourText, sizeof hourText},
                         TextField{minuteText, sizeof minuteText},
                         TextField{secondText, sizeof secondText});
}

WPNotice TimedWindow::UsageBox() { return LaunchUsageBox(); }

void TimedWindow::TakeTipSubject() { timed::ProgramNameOf(program, programName, sizeof programName); }

}  // namespace aubade
