// volley.exe under Wine, driven from outside: real response files, real
// launches through the shell (of a probe that records when it ran), the
// boxes read and answered as a user would, and the exit code.
#include "harness.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace {

const char kMissingProgram[] = "kivora-no-such-program.exe";

struct Outcome {
    std::vector<e2e::MessageBoxInfo> boxes;  // in the order they appeared
    std::optional<DWORD> exitCode;
    DWORD runMs = 0;          // from start to exit
    bool windowFound = false;
    bool windowShown = false;  // the main window was seen visible
};

class VolleyProgram : public ::testing::Test {
protected:
    void SetUp() override {
        folder = e2e::BesideTests("volley_e2e");
        CreateDirectoryA(folder.c_str(), nullptr);
        GetCurrentDirectoryA(sizeof previous, previous);
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
        Clean();
    }
    void TearDown() override {
        Clean();
        SetCurrentDirectoryA(previous);
    }
    void Clean() {
        for (const char* name : {"Volley.rsp", "list.rsp", "a.tick", "b.tick", "c.tick", "d.tick", "メモ.txt"})
            DeleteFileA(name);
    }

    // A list line that starts the probe, which records in "<marker>.tick".
    std::string Probe(const char* marker) const {
        return e2e::BesideTests("volley_probe.exe") + "," + folder + "\\" + marker + ".tick";
    }
    // Replaces each {x} with the probe line for marker x.
    std::string Expand(std::string list) const {
        for (size_t at; (at = list.find('{')) != std::string::npos;)
            list.replace(at, 3, Probe(list.substr(at + 1, 1).c_str()));
        return list;
    }
    void Write(const char* name, const std::string& text) {
        FILE* file = fopen(name, "wb");
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);
    }
    // The tick at which the probe with this marker ran, or none. A probe
    // starts a while after its launch, so this waits up to waitMs for it.
    std::optional<DWORD> Ran(const char* marker, DWORD waitMs = 5000) {
        const std::string name = std::string(marker) + ".tick";
        const DWORD start = GetTickCount();
        do {
            if (FILE* file = fopen(name.c_str(), "r")) {
                unsigned long tick = 0;
                int got = fscanf(file, "%lu", &tick);
                fclose(file);
                if (got == 1) return tick;
            }
            Sleep(20);
        } while (GetTickCount() - start < waitMs);
        return std::nullopt;
    }

    // Runs volley with the tail, answering every box with its first button,
    // until it ends (or 20 s pass).
    Outcome Run(const std::string& tail) {
        Outcome out;
        e2e::Program program;
        const DWORD start = GetTickCount();
        EXPECT_TRUE(program.Start(e2e::BesideTests("volley.exe"), tail));
        e2e::WindowQuery boxes, main;
        boxes.className = "#32770";
        boxes.processId = main.processId = program.Id();
        boxes.visibleOnly = true;
        main.className = "Volleey";
        while (program.IsRunning() && GetTickCount() - start < 20000) {
            for (HWND window : e2e::FindWindows(main)) {
                out.windowFound = true;
                out.windowShown |= IsWindowVisible(window) != FALSE;
            }
            for (HWND box : e2e::FindWindows(boxes)) {
                if (!GetDlgItem(box, 0xFFFF)) continue;
                out.boxes.push_back(e2e::ReadMessageBox(box));
                e2e::PressButton(out.boxes.back(), out.boxes.back().buttons.at(0).id);
                e2e::WaitForWindowGone(box, 5000);
            }
            e2e::PumpFor(10);
        }
        out.exitCode = program.WaitForExit(5000);
        out.runMs = GetTickCount() - start;
        return out;
    }

    std::string folder;
    char previous[MAX_PATH] = {};
};

TEST_F(VolleyProgram, RunsTheListAndReportsTheFirstFailure) {
    struct Case {
        const char* fault;
        const char* tail;
        const char* list;  // written as list.rsp; null: none
        std::string box;   // volley's own box, the last one; empty: none
        const char* ran;
        const char* notRan;
        bool hidden;
    } cases[] = {
        {"the run goes on past a failure", "list.rsp", "{a}\nFAIL\n{c}\n", "error|Line No 1", "a", "c", false},
        {"the first entry is reported as 1", "list.rsp", "FAIL\n{b}\n", "error|Line No 0", "", "b", false},
        {"blank lines count, or waits do not", "list.rsp", "\n{a}\n\n,,\n#time,0\n#time,-1\n\nFAIL\n{d}\n",
         "error|Line No 3", "a", "d", false},
        {"-h runs nothing, or hides its failures", "-h list.rsp", "{a}\nFAIL\n", "error|Line No 1", "a", "", true},
        {"-v reads the named file", "list.rsp -v", "{a}\n", "|Volley Ver1.10\n1997/08/13\n", "", "a", true},
        {"the default name is not looked for", "", nullptr, "error|Volley.rsp not found", "", "", false},
        {"an empty list shows a box", "list.rsp", "", "", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        Clean();
        if (c.list) {
            std::string list = Expand(c.list);
            for (size_t at; (at = list.find("FAIL")) != std::string::npos;) list.replace(at, 4, kMissingProgram);
            Write("list.rsp", list);
        }
        Outcome out = Run(c.tail);
        EXPECT_EQ(0u, out.exitCode.value_or(0xDEAD));
        if (c.box.empty()) {
            EXPECT_TRUE(out.boxes.empty());
        } else {
            ASSERT_FALSE(out.boxes.empty());
            // The shell's own error display, if any, comes before volley's.
            const e2e::MessageBoxInfo& last = out.boxes.back();
            const std::string seen = last.caption + "|" + last.text;
            EXPECT_EQ(c.box, seen.substr(0, c.box.size()));
            EXPECT_TRUE(last.HasButton(IDOK));
            EXPECT_EQ(1u, last.buttons.size());
        }
        if (*c.ran) {
            EXPECT_TRUE(Ran(c.ran).has_value()) << c.ran;
        }
        if (*c.notRan) {
            EXPECT_FALSE(Ran(c.notRan, 700).has_value()) << c.notRan;
        }
        if (c.hidden) {
            EXPECT_TRUE(out.windowFound);
            EXPECT_FALSE(out.windowShown);
        }
        if (c.list && !*c.list) {  // the empty list: one timer period, then the end
            EXPECT_GE(out.runMs, 500u);
            EXPECT_LT(out.runMs, 5000u);
        }
    }
}

// The shell's own box about an entry it cannot open runs a loop in which the
// status window can still be closed; volley must then end without its box.
TEST_F(VolleyProgram, ClosedWhileTheShellReportsAFailureItEndsQuietly) {
    Write("list.rsp", std::string(kMissingProgram) + "\n");
    e2e::Program program;
    ASSERT_TRUE(program.Start(e2e::BesideTests("volley.exe"), "list.rsp"));
    auto shellBox = e2e::WaitForMessageBox(program.Id(), 10000);
    ASSERT_TRUE(shellBox.has_value());
    e2e::WindowQuery main;
    main.className = "Volleey";
    main.processId = program.Id();
    HWND window = e2e::WaitForWindow(main, 1000);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone(window, 5000));
    ASSERT_TRUE(e2e::PressButton(*shellBox, shellBox->buttons.front().id)) << "the shell's box closed by itself";
    ASSERT_TRUE(e2e::WaitForWindowGone(shellBox->window, 5000));
    EXPECT_FALSE(e2e::WaitForMessageBox(program.Id(), 1500).has_value()) << "a box after the close";
    EXPECT_EQ(0u, program.WaitForExit(5000).value_or(0xDEAD));
}

// taskkill without /f while a start-up box is up: the close reaches the
// window in the box's loop, while volley's constructor still runs.
TEST_F(VolleyProgram, AskedToEndWhileAStartUpBoxIsUp) {
    const struct {
        const char* fault;
        const char* tail;
        const char* list;  // written as list.rsp; null: none
        const char* text;
    } rows[] = {
        {"\"not found\" box: the object deleted under its constructor, or a box after the close",
         "nolist.rsp", nullptr, "nolist.rsp not found"},
        {"version box: the same", "-v", nullptr, "Volley Ver1.10\n1997/08/13\n(C) 1997 Zorva"},
        {"#time box: rows and a run made for the gone window", "list.rsp", "notepad.exe\n#time\n",
         "#time without a value in line 2 of list.rsp.\nThat line and the lines after it are not run."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        if (row.list) Write("list.rsp", row.list);
        e2e::Program program;
        ASSERT_TRUE(program.Start(e2e::BesideTests("volley.exe"), row.tail));
        auto box = e2e::WaitForMessageBox(program.Id(), 10000);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(row.text, box->text);
        ASSERT_TRUE(e2e::AskToEnd("volley.exe"));
        EXPECT_EQ(0u, program.WaitForExit(5000).value_or(0xDEAD));
        EXPECT_TRUE(e2e::BoxesOnScreen().empty()) << "a box after the close, or Wine's crash dialog";
    }
}

// Lists as today's editors save them. メモ.txt is made here in code page 932,
// the name the shell must be handed whatever the list's encoding.
TEST_F(VolleyProgram, ReadsAListInTheEncodingItWasSavedIn) {
    // Windows opens a .txt document in Notepad; the test prefix knows the
    // class "txtfile" but not the extension, so it is added while the test
    // runs.
    struct TxtAssociation {
        bool added = !e2e::ReadRegistryText(HKEY_CLASSES_ROOT, ".txt") &&
                     e2e::WriteRegistryText(HKEY_CLASSES_ROOT, ".txt", "txtfile");
        ~TxtAssociation() {
            if (added) e2e::DeleteRegistryTree(HKEY_CLASSES_ROOT, ".txt");
        }
    } association;
    std::u16string utf16 = u"\uFEFFメモ.txt\r\n";
    struct Case {
        const char* fault;
        std::string list;
    } cases[] = {
        {"UTF-8 without a mark read as Shift-JIS", u8"メモ.txt\r\n"},
        {"the UTF-8 mark taken as part of the first name", "\xEF\xBB\xBF" + std::string(u8"メモ.txt\r\n")},
        {"UTF-16 read byte for byte", std::string(reinterpret_cast<const char*>(utf16.data()), 2 * utf16.size())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        Clean();
        e2e::CloseWindowsOfClass("Notepad");
        Write("メモ.txt", "memo\r\n");
        Write("list.rsp", c.list);
        Outcome out = Run("list.rsp");
        EXPECT_EQ(0u, out.exitCode.value_or(0xDEAD));
        EXPECT_TRUE(out.boxes.empty()) << out.boxes.front().caption << "|" << out.boxes.front().text;
        // The shell opens the document in Notepad, whose caption names it.
        bool opened = false;
        for (DWORD start = GetTickCount(); !opened && GetTickCount() - start < 10000; e2e::PumpFor(50)) {
            e2e::WindowQuery notepad;
            notepad.className = "Notepad";
            for (HWND window : e2e::FindWindows(notepad)) opened |= e2e::TextOf(window).find("メモ.txt") == 0;
        }
        EXPECT_TRUE(opened);
        e2e::CloseWindowsOfClass("Notepad");
    }
}

// An emoji has no place in code page 932: the list is refused before any of
// it runs, and the box names the line as an editor counts it.
TEST_F(VolleyProgram, AListWithACharacterShiftJisLacksRunsNothing) {
    Write("list.rsp", Expand("{a}\n") + u8"\U0001F600.txt\n");
    Outcome out = Run("list.rsp");
    EXPECT_EQ(0u, out.exitCode.value_or(0xDEAD));
    ASSERT_EQ(1u, out.boxes.size());
    EXPECT_EQ("ERROR", out.boxes[0].caption);
    EXPECT_EQ("2行目にShift-JISで表せない文字があるため、ファイルを読めません", out.boxes[0].text);
    EXPECT_EQ(1u, out.boxes[0].buttons.size());
    EXPECT_FALSE(Ran("a", 1500).has_value());
}

TEST_F(VolleyProgram, AWaitBetweenTwoLaunchesSeparatesThem) {
    Write("list.rsp", Expand("{a}\n#time,1000\n{b}\n"));
    Outcome out = Run("list.rsp");
    EXPECT_EQ(0u, out.exitCode.value_or(0xDEAD));
    EXPECT_TRUE(out.boxes.empty());
    auto a = Ran("a"), b = Ran("b");
    ASSERT_TRUE(a && b);
    // Each probe starts some time after its launch; a missing wait would
    // put the two close together.
    printf("second probe ran %d ms after the first\n", static_cast<int>(*b - *a));
    EXPECT_GE(static_cast<int>(*b - *a), 800);
    EXPECT_LE(static_cast<int>(*b - *a), 2500);
}

TEST_F(VolleyProgram, TheStatusWindowFitsItsRowsToTheFontsHeight) {
    Write("Volley.rsp", "#time,1500\n#time,0\n#time,0\n");
    e2e::Program program;
    ASSERT_TRUE(program.Start(e2e::BesideTests("volley.exe"), ""));
    e2e::WindowQuery query;
    query.className = "Volleey";
    query.processId = program.Id();
    query.visibleOnly = true;
    HWND window = e2e::WaitForWindow(query, 10000);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("Volleey-Volley.rsp", e2e::TextOf(window));

    HDC dc = GetDC(window);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(window, dc);
    const int h = metrics.tmHeight;
    ASSERT_GT(h, 0);
    // The first entry waits, so nothing has moved yet.
    for (int i = 0; i < 3; ++i) {
        HWND row = GetDlgItem(window, i);
        ASSERT_NE(nullptr, row) << i;
        RECT r = e2e::WindowRect(row);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(0, r.left) << i;
        EXPECT_EQ(i * h, r.top) << i;
        EXPECT_EQ(15 * h, r.right) << i;
        EXPECT_EQ((i + 1) * h, r.bottom) << i;
    }
    RECT outer = e2e::WindowRect(window);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(15 * h + h / 3, outer.right - outer.left);
    EXPECT_EQ(origin.y + 3 * h + h / 4, outer.bottom);
    EXPECT_TRUE(e2e::IsTopMost(window));
    printf("status window: tmHeight %d, outer %ldx%ld, client origin y %ld, bottom %ld\n", h,
           outer.right - outer.left, outer.bottom - outer.top, origin.y, outer.bottom);
    EXPECT_EQ(0u, program.WaitForExit(10000).value_or(0xDEAD));
}

}  // namespace
