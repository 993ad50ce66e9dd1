#include "launchrequest.h"

#include "commandline.h"
#include "responsefile.h"
#include "wptextfile.h"

const char kUsageText[] =
    "LOFTER [x=@@,y=@@,[w=@@,h=@@]],[z=TOP],[a=ON],e=File[args],[f=execDir]\n"
    "or\n"
    "LOFTER r=ResponseFile\n"
    "区切りを”,”意外にする場合は \n"
    "t=区切文字(ｽﾍﾟｰｽを開ける)・・・その他引数";

const char kResponseFileErrorText[] = "レスポンスファイルが読めません";

// Both texts are shown whole.
static_assert(sizeof kUsageText <= sizeof(WPNotice::text), "usage text fits a notice");
static_assert(sizeof kResponseFileErrorText <= sizeof(WPNotice::text), "error text fits a notice");

void ReadLaunchRequest(char* commandText, int textSize, const lofter::ScreenLayout& screens,
                       LaunchSettings* settings, LaunchTarget* target) {
    if (commandText[0] == 'r') readResponseFile(commandText, textSize, settings);
    if (!settings->responseFailed) parseCommandLine(commandText, screens, settings, target);
}

int CommandLineErrorBoxes(const LaunchSettings& settings, WPNotice boxes[2]) {
    int count = 0;
    if (settings.responseFailed && settings.responseRefusedLine)
        boxes[count++] = RefusedTextNotice(settings.responseRefusedLine, false);
    else if (settings.responseFailed)
        boxes[count++] = MakeNotice("ERROR!!", kResponseFileErrorText, 0, false, false);
    if (settings.noProgram) boxes[count++] = MakeNotice("ERROR", kUsageText, 0, true, true);
    return count;
}
