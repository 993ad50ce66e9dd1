#include "wpcmdtail.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct TailCase {
    const char* fault;  // what a wrong tail would break
    const char* commandLine;
    const char* tail;
};

const TailCase kTailCases[] = {
    {"lead byte of a first double-byte character dropped", "volley.exe 開始.rsp", "開始.rsp"},
    {"quoted name with blanks cut at its blank", "\"C:\\My Tools\\lofter.exe\" x=0,y=0", "x=0,y=0"},
    {"inner blanks of the tail squeezed", "aubade.exe 7:30  C:\\表示\\a.exe", "7:30  C:\\表示\\a.exe"},
    {"blanks and tabs after the name kept", "nocturne.exe \t  23:00 メモ帳", "23:00 メモ帳"},
    {"a name alone leaves something behind", "lofter.exe", ""},
    {"unclosed quote runs past the end", "\"lofter.exe", ""},
    {"double-byte name split", "表示.exe 表", "表"},
};

TEST(CommandLineTail, SkipsTheNameAndTheBlanksAfterItOnly) {
    for (const TailCase& c : kTailCases) {
        std::string line = c.commandLine;
        EXPECT_EQ(std::string(c.tail), CommandLineTail(&line[0])) << c.fault;
    }
    EXPECT_STREQ("", CommandLineTail(nullptr)) << "no command line at all";
}

}  // namespace
