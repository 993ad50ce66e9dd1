// Cost of the framework's message path: the same messages are sent to a
// window bound to a window object and to a window with a plain procedure,
// both counting the same three kinds of message. Prints both rates and the
// framework's cost as a ratio (framework time / raw time).
#include "wpapp.h"
#include "wpwin.h"

#include <stdio.h>

namespace {

const UINT kPing = WM_USER + 1;
const int kMessagesPerRound = 300000;  // a multiple of 3
const int kRounds = 7;

long rawCount = 0;

LRESULT CALLBACK RawProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == 100) {
            ++rawCount;
            return 0;
        }
        break;
    case WM_TIMER:
        ++rawCount;
        return 0;
    case kPing:
        ++rawCount;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class BenchWin : public WPWin {
public:
    BenchWin() : WPWin("KivoraBenchWin") {}
    int OnCommand(int id, int code) override {
        if (id != 100) return 0;
        ++count;
        return 1;
    }
    int OnTimer(UINT) override {
        ++count;
        return 1;
    }
    int OnOther(WPMsg& msg) override {
        if (msg.msg != kPing) return 0;
        ++count;
        return 1;
    }
    long count = 0;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Sends the mix of messages; returns the elapsed seconds.
double Round(HWND hwnd) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kMessagesPerRound; i += 3) {
        SendMessageA(hwnd, WM_COMMAND, 100, 0);
        SendMessageA(hwnd, WM_TIMER, 1, 0);
        SendMessageA(hwnd, kPing, 0, 0);
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

}  // namespace

int main() {
    wpApp.hinst = GetModuleHandleA(nullptr);

    WNDCLASSA cls = {};
    cls.lpfnWndProc = RawProc;
    cls.hInstance = wpApp.hinst;
    cls.lpszClassName = "KivoraBenchRaw";
    RegisterClassA(&cls);
    HWND raw = CreateWindowExA(0, "KivoraBenchRaw", "raw", 0, 0, 0, 100, 100, nullptr, nullptr,
                               wpApp.hinst, nullptr);
    BenchWin framed;
    if (!raw || !framed.Create()) {
        fprintf(stderr, "bench_dispatch: cannot create the windows\n");
        return 1;
    }

    // Alternate the two so that both see the same machine load; keep the
    // best round of each.
    double bestRaw = 1e9, bestFramed = 1e9;
    for (int r = 0; r < kRounds; ++r) {
        double t = Round(raw);
        if (t < bestRaw) bestRaw = t;
        t = Round(framed.hwnd);
        if (t < bestFramed) bestFramed = t;
    }
    const long expected = long(kRounds) * kMessagesPerRound;
    if (rawCount != expected || framed.count != expected) {
        fprintf(stderr, "bench_dispatch: lost messages (raw %ld, framework %ld, expected %ld)\n",
                rawCount, framed.count, expected);
        return 1;
    }
    printf("raw window procedure: %.0f messages/s\n", kMessagesPerRound / bestRaw);
    printf("framework window:     %.0f messages/s\n", kMessagesPerRound / bestFramed);
    printf("framework cost ratio: %.3f (goal <= 1.25)\n", bestFramed / bestRaw);
    DestroyWindow(framed.hwnd);
    DestroyWindow(raw);
    return 0;
}
