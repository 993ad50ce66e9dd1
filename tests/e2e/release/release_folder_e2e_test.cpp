// The four programs started from the release folder as a user would start
// them: each comes up (lofter with kivlib.dll, which it imports at load
// time), shows its first box, and ends with exit code 0 once it is closed.
// KIVORA_RELEASE_DIR (a Windows path) names the folder; without it, the
// folder of this test.
#include "harness.h"
#include "usage_texts.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

namespace {

const DWORD kStartMs = 20000;
const DWORD kEndMs = 10000;

std::string ReleaseFolder() {
    const char* folder = getenv("KIVORA_RELEASE_DIR");
    if (folder && *folder) return std::string(folder) + "\\";
    return e2e::BesideTests("");
}

struct FirstBox {
    const char* fault;  // what a failure here means
    const char* program;
    const char* tail;
    const char* caption;
    const char* text;
};

const FirstBox kFirstBoxes[] = {
    {"lofter or kivlib.dll does not load from the folder", "lofter.exe", "", "ERROR",
     e2e::kLofterUsage},
    {"volley does not start or lost its version text", "volley.exe", "-v", "",
     "Volley Ver1.10\n1997/08/13\n(C) 1997 Zorva"},
    {"aubade does not start or lost its usage text", "aubade.exe", "", "ERROR",
     e2e::kAubadeUsage},
    {"nocturne does not start or lost its usage text", "nocturne.exe", "", "ERROR",
     e2e::kNocturneUsage},
};

// The run's log goes to a Linux terminal: UTF-8, not the code page.
std::string ForLog(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                                    static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

TEST(ReleaseFolder, EachProgramStartsShowsItsFirstBoxAndEndsWithZero) {
    const std::string folder = ReleaseFolder();
    printf("release folder: %s\n", ForLog(folder).c_str());
    for (const FirstBox& expected : kFirstBoxes) {
        SCOPED_TRACE(std::string(expected.program) + ": " + expected.fault);
        e2e::Program program;
        ASSERT_TRUE(program.Start(folder + expected.program, expected.tail));
        auto box = e2e::WaitForMessageBox(program.Id(), kStartMs);
        ASSERT_TRUE(box.has_value()) << "no box";
        EXPECT_EQ(expected.caption, box->caption);
        EXPECT_EQ(expected.text, box->text);
        printf("%-12s %-3s -> box \"%s\", first line \"%s\"", expected.program, expected.tail,
               box->caption.c_str(), ForLog(box->text.substr(0, box->text.find('\n'))).c_str());
        ASSERT_TRUE(e2e::PressButton(*box, IDOK));
        auto exitCode = program.WaitForExit(kEndMs);
        ASSERT_TRUE(exitCode.has_value()) << "still running after OK";
        EXPECT_EQ(0u, *exitCode);
        printf(", OK pressed, exit code %lu\n", static_cast<unsigned long>(*exitCode));
    }
}

}  // namespace
