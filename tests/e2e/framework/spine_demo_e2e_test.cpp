// The framework's start and end seen from outside: the entry's exit code is
// the quit code, the object report runs at exit, and an assertion's Cancel
// ends the program with -1 after that report.
#include "harness.h"
#include "wpwin.h"

#include <gtest/gtest.h>

namespace {

class SpineDemo : public ::testing::Test {
protected:
    void Start(const std::string& tail) {
        ASSERT_TRUE(program.Start(e2e::BesideTests("spine_demo.exe"), tail));
    }
    e2e::Program program;
};

}  // namespace

TEST_F(SpineDemo, WindowDrivenEndExitsWithZero) {
    Start("");
    e2e::WindowQuery query;
    query.caption = "Kivora spine demo";
    query.processId = program.Id();
    EXPECT_NE(nullptr, e2e::WaitForWindow(query, 10000));
    EXPECT_EQ(0u, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SpineDemo, ExitCodeIsTheQuitMessagesCode) {
    Start("quit 37");
    EXPECT_EQ(37u, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SpineDemo, ObjectsLeftAtExitAreReportedOnce) {
    Start("leak");
    auto box = e2e::WaitForMessageBox(program.Id(), 10000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ("1 objects remaining!", box->text);
    EXPECT_TRUE(box->HasButton(IDOK));
    ASSERT_TRUE(e2e::PressButton(*box, IDOK));
    EXPECT_EQ(0u, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SpineDemo, AssertionOkCarriesOn) {
    Start("assert");
    auto box = e2e::WaitForMessageBox(program.Id(), 10000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ("ASSERTION FAILURE", box->caption);
    EXPECT_EQ("at line 1 in file spine_demo.cpp: \"demo\"", box->text);
    EXPECT_TRUE(box->HasButton(IDCANCEL));
    ASSERT_TRUE(e2e::PressButton(*box, IDOK));
    EXPECT_EQ(0u, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SpineDemo, AssertionCancelEndsWithMinusOneAfterTheObjectReport) {
    Start("assert leak");
    auto box = e2e::WaitForMessageBox(program.Id(), 10000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ("ASSERTION FAILURE", box->caption);
    ASSERT_TRUE(e2e::PressButton(*box, IDCANCEL));
    e2e::WaitForWindowGone(box->window, 5000);
    auto report = e2e::WaitForMessageBox(program.Id(), 10000);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ("1 objects remaining!", report->text);
    ASSERT_TRUE(e2e::PressButton(*report, IDOK));
    EXPECT_EQ(0xFFFFFFFFu, program.WaitForExit(10000).value_or(0xDEAD));
}

TEST_F(SpineDemo, AnotherProcesssBoundWindowIsNoObjectHere) {
    Start("stay");
    e2e::WindowQuery query;
    query.caption = "Kivora spine demo";
    query.processId = program.Id();
    HWND window = e2e::WaitForWindow(query, 10000);
    ASSERT_NE(nullptr, window);
    // The property holds an address in the demo's process; it must never be
    // taken for an object of this one.
    EXPECT_NE(nullptr, GetPropA(window, "w+"));
    EXPECT_EQ(nullptr, WPWin::GetWin(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.WaitForExit(10000).value_or(0xDEAD));
}
