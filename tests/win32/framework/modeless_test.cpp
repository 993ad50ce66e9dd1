// The loop offers each message to the live modeless dialogs, newest first.
#include "recording_platform.h"
#include "test_windows.h"
#include "wpdlg.h"
#include "wpmainwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> okReceivers;

// Records who the dialog manager sent OK (Enter) to; stays open.
class NamedModeless : public WPModelessDlg {
public:
    NamedModeless(const char* templateName, WPWin* parent, const char* name)
        : WPModelessDlg(templateName, parent), name_(name) {}
    int OnCommand(int id, int code) override {
        if (id == IDOK) okReceivers.push_back(name_);
        return 1;
    }

private:
    std::string name_;
};

class QuietMain : public WPMainWin {
public:
    QuietMain() : WPMainWin("KivoraModelessMain") {
        keepRunning = 1;
        Create();
    }
};

class Modeless : public ::testing::Test {
protected:
    void SetUp() override {
        UseThisModule();
        DrainQueue();
        okReceivers.clear();
        wpApp.cmdShow = SW_SHOWNOACTIVATE;
        main_.reset(new QuietMain);
        wpApp.mainWin = main_.get();
    }
    void TearDown() override {
        wpApp.mainWin = nullptr;
        wpApp.cmdShow = SW_SHOW;
        DrainQueue();
        // Made with new: its window's destruction deletes it.
        DestroyWindow(main_.release()->hwnd);
    }

    // Posts Enter to the edit, then runs the loop to the quit message.
    void PressEnterIn(HWND edit) {
        SetFocus(edit);
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        PostQuitMessage(0);
        wpApp.Run();
    }

    RecordingPlatform platform_;
    std::unique_ptr<QuietMain> main_;
};

}  // namespace

TEST_F(Modeless, NewerDialogIsOfferedTheMessageFirst) {
    NamedModeless outer("SPINEOUTER", nullptr, "outer");
    ASSERT_EQ(1, outer.Create());
    NamedModeless inner("SPINEINNER", &outer, "inner");
    ASSERT_EQ(1, inner.Create());
    ASSERT_EQ(&inner, wpApp.modeless);
    ASSERT_TRUE(IsChild(outer.hwnd, GetDlgItem(inner.hwnd, 101)));

    // The inner edit lies inside both dialogs: the newer one takes it.
    PressEnterIn(GetDlgItem(inner.hwnd, 101));
    ASSERT_EQ(1u, okReceivers.size());
    EXPECT_EQ("inner", okReceivers[0]);

    // A key only the older one owns passes the newer one by.
    okReceivers.clear();
    PressEnterIn(GetDlgItem(outer.hwnd, 201));
    ASSERT_EQ(1u, okReceivers.size());
    EXPECT_EQ("outer", okReceivers[0]);
    for (const auto& box : platform_.boxes) ADD_FAILURE() << box.caption << ": " << box.text;
    DestroyWindow(outer.hwnd);
}
