// The harness driving the sample program from outside, the way every
// program's end-to-end tests drive the real programs.
#include "harness.h"

#include <gtest/gtest.h>

namespace {

const char kSampleKey[] = "Software\\Zorva\\KivoraSample";

class SampleProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kSampleKey)); }
    void TearDown() override { e2e::DeleteRegistryTree(HKEY_CURRENT_USER, kSampleKey); }

    HWND StartAndFindWindow(const std::string& tail) {
        EXPECT_TRUE(program.Start(e2e::BesideTests("sample.exe"), tail));
        e2e::WindowQuery query;
        query.className = "KivoraSample";
        query.processId = program.Id();
        return e2e::WaitForWindow(query, 10000);
    }

    e2e::Program program;
};

TEST_F(SampleProgram, ReceivesItsTailExactlyAndExitsWithTheChosenButtonsCode) {
    // A double-byte character first (whose lead byte the runtime's own tail
    // drops), two blanks, one whose trail byte is a backslash, and quotes:
    // all must reach the program untouched.
    const std::string tail = "開始 7:30  C:\\表示\\a.exe \"x y\"";
    HWND window = StartAndFindWindow(tail);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("サンプル", e2e::TextOf(window));
    EXPECT_EQ(tail, e2e::ReadRegistryText(HKEY_CURRENT_USER, kSampleKey).value_or("<missing>"));

    ASSERT_TRUE(PostMessageA(window, 1010, 1, WM_LBUTTONDOWN));
    auto box = e2e::WaitForMessageBox(program.Id(), 10000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ("サンプル", box->caption);
    EXPECT_EQ("コマンド行: [" + tail + "]", box->text);
    EXPECT_TRUE(box->HasButton(IDYES));
    EXPECT_TRUE(box->HasButton(IDNO));
    EXPECT_FALSE(box->HasButton(IDOK));

    ASSERT_TRUE(e2e::PressButton(*box, IDYES));
    EXPECT_EQ(3u, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SampleProgram, NoAnswersFour) {
    HWND window = StartAndFindWindow("");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, 1010, 1, WM_LBUTTONDOWN);
    auto box = e2e::WaitForMessageBox(program.Id(), 10000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ("コマンド行: []", box->text);
    ASSERT_TRUE(e2e::PressButton(*box, IDNO));
    EXPECT_TRUE(e2e::WaitForWindowGone(box->window, 5000));
    EXPECT_EQ(4u, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SampleProgram, PlacementAndTopMostStateAreReadFromOutside) {
    HWND window = StartAndFindWindow("x");
    ASSERT_NE(nullptr, window);
    RECT r = e2e::WindowRect(window);
    EXPECT_EQ(40, r.left);
    EXPECT_EQ(50, r.top);
    EXPECT_EQ(320, r.right - r.left);
    EXPECT_EQ(200, r.bottom - r.top);
    EXPECT_TRUE(e2e::IsTopMost(window));

    SendMessageA(window, WM_COMMAND, 100, 0);
    r = e2e::WindowRect(window);
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(150, r.top);
    EXPECT_FALSE(e2e::IsTopMost(window));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SampleProgram, AProgramThatDoesNotEndIsATimeoutNotASuccess) {
    ASSERT_NE(nullptr, StartAndFindWindow(""));
    EXPECT_FALSE(program.WaitForExit(300).has_value());
    EXPECT_FALSE(program.IsRunning());
}

TEST(Harness, MissingProgramsAndKeysAreReportedAsMissing) {
    e2e::Program program;
    EXPECT_FALSE(program.Start(e2e::BesideTests("no-such-program.exe"), ""));
    EXPECT_FALSE(e2e::ReadRegistryText(HKEY_CURRENT_USER, "Software\\Zorva\\NoSuchKey").has_value());
    e2e::WindowQuery nothing;
    nothing.className = "NoSuchClass-Kivora";
    EXPECT_EQ(nullptr, e2e::WaitForWindow(nothing, 100));
}

}  // namespace
