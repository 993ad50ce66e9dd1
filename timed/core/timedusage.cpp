#include "timedusage.h"

// Texts in this file are Shift-JIS at run time (compiled with the CP932
// execution charset).

const char kLaunchUsage[] =
    "使用方法\n"
    "時:分[:秒] 実行ファイル名,[コマンドラインオプション],[実行ディレクトリー] [-OPTION]\n"
    "コマンドラインオプション,実行ディレクトリー を省略するときはスペースを入れること\n"
    "オプションには以下のものが指定可能\n"
    "h:タスクトレイにアイコンを表示しない\n"
    "c:指定時間後にプログラムを実行した後も常駐し続ける\n"
    "オプションは - の次に続けて指定すること（例 -hc）";

const char kCloseUsage[] =
    "使用方法\n"
    "時:分[:秒] 終了させるプログラムのキャプション";

const char kUsageCaption[] = "ERROR";

// The usage is shown whole.
static_assert(sizeof kLaunchUsage <= sizeof(WPNotice::text), "launch usage fits a notice");
static_assert(sizeof kCloseUsage <= sizeof(WPNotice::text), "close usage fits a notice");
static_assert(sizeof kUsageCaption <= sizeof(WPNotice::caption), "caption fits a notice");

WPNotice LaunchUsageBox() {
    return MakeNotice(kUsageCaption, kLaunchUsage, kUsageBoxType);
}

WPNotice CloseUsageBox() {
    return MakeNotice(kUsageCaption, kCloseUsage, kUsageBoxType);
}
