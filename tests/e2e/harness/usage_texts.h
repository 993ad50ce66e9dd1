// The programs' usage boxes, byte for byte (Shift-JIS at run time), written
// out here once for every test that expects one. Deliberately not taken
// from the programs' sources: a changed text must fail a test.
#pragma once

namespace e2e {

const char kLofterUsage[] =
    "LOFTER [x=@@,y=@@,[w=@@,h=@@]],[z=TOP],[a=ON],e=File[args],[f=execDir]\n"
    "or\n"
    "LOFTER r=ResponseFile\n"
    "区切りを”,”意外にする場合は \n"
    "t=区切文字(ｽﾍﾟｰｽを開ける)・・・その他引数";

const char kAubadeUsage[] =
    "使用方法\n"
    "時:分[:秒] 実行ファイル名,[コマンドラインオプション],[実行ディレクトリー] [-OPTION]\n"
    "コマンドラインオプション,実行ディレクトリー を省略するときはスペースを入れること\n"
    "オプションには以下のものが指定可能\n"
    "h:タスクトレイにアイコンを表示しない\n"
    "c:指定時間後にプログラムを実行した後も常駐し続ける\n"
    "オプションは - の次に続けて指定すること（例 -hc）";

const char kNocturneUsage[] = "使用方法\n時:分[:秒] 終了させるプログラムのキャプション";

}  // namespace e2e
