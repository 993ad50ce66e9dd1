// The application object: start-up values, names, settings files, resources
// and libraries.
#include "recording_platform.h"
#include "test_windows.h"
#include "wpdlg.h"

#include <gtest/gtest.h>

TEST(AppObject, IsBuiltBeforeTheProgramRuns) {
    EXPECT_EQ(1, wpApp.alive);
    EXPECT_EQ(&wpApp, appList);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(WPWinProc), wpApp.winProc);
    // Given to every dialog, so set with the object, not by a first dialog
    // (other tests have made dialogs by now: a fresh object tells).
    WPApp fresh;
    EXPECT_EQ(reinterpret_cast<DLGPROC>(WPDlgProc), fresh.dlgProc);
    EXPECT_EQ(nullptr, wpApp.modeless);
    EXPECT_EQ(0, wpApp.useWinIni);
}

TEST(AppObject, InitStoresTheEntryArgumentsAndLoadsAppAccel) {
    char tail[] = "x=0,y=0 notepad.exe";
    HINSTANCE self = GetModuleHandleA(nullptr);
    wpApp.Init(self, nullptr, tail, SW_SHOWMINNOACTIVE);
    EXPECT_EQ(self, wpApp.hinst);
    EXPECT_EQ(tail, wpApp.cmdLine);  // not copied
    EXPECT_EQ(SW_SHOWMINNOACTIVE, wpApp.cmdShow);
    EXPECT_NE(nullptr, wpApp.accel);
    wpApp.accel = nullptr;

    // The answer is the tail's full length, so a caller can see the cut.
    const int tailLength = static_cast<int>(sizeof tail) - 1;
    char copy[8];
    EXPECT_EQ(tailLength, wpApp.CopyCmdLine(copy, sizeof copy));
    EXPECT_STREQ("x=0,y=0", copy);  // cut to the buffer
    char exact[sizeof tail];
    EXPECT_EQ(tailLength, wpApp.CopyCmdLine(exact, sizeof exact));
    EXPECT_STREQ(tail, exact);
    wpApp.cmdLine = nullptr;
    EXPECT_EQ(0, wpApp.CopyCmdLine(copy, sizeof copy));  // no tail at all
    EXPECT_STREQ("", copy);
    wpApp.cmdShow = SW_SHOW;
}

TEST(AppObject, NameComesFromTheModuleAndStays) {
    UseThisModule();
    EXPECT_STREQ("framework_tests", wpApp.GetName());
    // Computed once: another module behind hinst later changes nothing.
    HINSTANCE self = wpApp.hinst;
    wpApp.hinst = GetModuleHandleA("kernel32.dll");
    EXPECT_STREQ("framework_tests", wpApp.GetName());
    wpApp.hinst = self;
    char ini[WPApp::kIniNameSize];
    EXPECT_STREQ("framewor.ini", wpApp.GetIniName(ini));

    WPApp other;  // no instance: the name stays empty
    EXPECT_STREQ("", other.GetName());
}

TEST(AppObject, ProfileNumbersRoundTripThroughTheProgramsFile) {
    UseThisModule();
    EXPECT_TRUE(wpApp.WriteProfileNum("Offset", -42));
    EXPECT_EQ(-42, wpApp.GetProfileNum("Offset", 7));
    char text[16] = {};
    EXPECT_EQ(3, wpApp.GetProfileStr("Offset", text, sizeof text, ""));
    EXPECT_STREQ("-42", text);
    // Another section, and defaults for what is missing.
    EXPECT_TRUE(wpApp.WriteProfileStr("Name", "表示", "Other"));
    wpApp.GetProfileStr("Name", text, sizeof text, "", "Other");
    EXPECT_STREQ("表示", text);
    EXPECT_EQ(7, wpApp.GetProfileNum("Missing", 7));
    wpApp.GetProfileStr("Missing", text, sizeof text, "dflt");
    EXPECT_STREQ("dflt", text);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "framewor.ini");
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH);
    strcat(path, "\\framewor.ini");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
    DeleteFileA(path);
}

TEST(AppObject, ProfileOperationsUseWinIniWhenAsked) {
    UseThisModule();
    wpApp.useWinIni = 1;
    EXPECT_TRUE(wpApp.WriteProfileNum("KivoraSpineProbe", -5, "KivoraSpine"));
    EXPECT_EQ(-5, GetProfileIntA("KivoraSpine", "KivoraSpineProbe", 0));
    EXPECT_EQ(-5, wpApp.GetProfileNum("KivoraSpineProbe", 0, "KivoraSpine"));
    WriteProfileStringA("KivoraSpine", nullptr, nullptr);
    wpApp.useWinIni = 0;
    EXPECT_EQ(0, GetPrivateProfileIntA("KivoraSpine", "KivoraSpineProbe", 0, "framewor.ini"));
}

TEST(Module, ResourceDataIsCutButItsFullSizeReturned) {
    UseThisModule();
    char data[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(10u, wpApp.LoadResData("SpineData", RT_RCDATA, data, 3));
    EXPECT_EQ(0, memcmp("012x", data, 4));
    EXPECT_EQ(0u, wpApp.LoadResData("NoSuchData", RT_RCDATA, data, 3));
    EXPECT_NE(nullptr, wpApp.FindRes("AppAccel", RT_ACCELERATOR));
    EXPECT_NE(nullptr, wpApp.LoadIcon(IDI_APPLICATION));
}

TEST(Module, FailedLibraryLoadIsReportedAndLeavesNoInstance) {
    RecordingPlatform platform;
    WPLibrary missing("kivora_no_such_library.dll");
    EXPECT_EQ(nullptr, missing.hinst);
    ASSERT_EQ(1u, platform.boxes.size());
    EXPECT_EQ(0u, platform.boxes[0].text.find("Error "));
    EXPECT_NE(std::string::npos,
              platform.boxes[0].text.find(" loading library kivora_no_such_library.dll"));
    WPLibrary kernel("kernel32.dll");
    EXPECT_NE(nullptr, kernel.hinst);
    EXPECT_EQ(1u, platform.boxes.size());
}
