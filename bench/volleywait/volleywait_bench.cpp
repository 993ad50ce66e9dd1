// volley's #time wait measured twice in one run: as the program performs it
// (the hooks it installs: the platform's tick count, the kernel's Sleep
// between readings) and as a busy poll of the same clock (no pause). For
// each: processor time of this thread, lateness against the tick count, and
// how often the clock was read. Prints the sleeping wait's CPU as a share of
// the busy wait's and whether the goals (under 5 %, lateness within 20 ms)
// were met.
#include "shelllaunch.h"
#include "volleyentry.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

const int kDefaultSeconds = 5;
const double kCpuShareGoal = 0.05;
const long kLatenessGoalMs = 20;

uint32_t (*realClock)();
uint32_t firstReading;
uint32_t lastReading;
long readings;

// Counts the wait's readings and keeps its first and last.
uint32_t WatchedClock() {
    const uint32_t now = realClock();
    if (readings++ == 0) firstReading = now;
    lastReading = now;
    return now;
}

double CpuMs() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto hundredNs = [](const FILETIME& t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
    };
    return (hundredNs(kernel) + hundredNs(user)) / 10000.0;
}

struct Result {
    double cpuMs;
    long latenessMs;  // last reading past the wanted end, by the tick count
    long readings;
    double wallMs;
};

Result Measure(int32_t ms, void (*pause)(uint32_t)) {
    SleepEntry::pause = pause;
    readings = 0;
    SleepEntry wait(ms);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const double cpuBefore = CpuMs();
    QueryPerformanceCounter(&start);
    wait.Execute();
    QueryPerformanceCounter(&end);
    const double cpu = CpuMs() - cpuBefore;
    return Result{cpu, static_cast<long>(static_cast<int32_t>(lastReading - firstReading) - ms), readings,
                  1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart)};
}

void Print(const char* name, const Result& r) {
    printf("%-14s cpu %8.1f ms   late %4ld ms (tick count)   wall %8.1f ms   clock readings %ld\n", name,
           r.cpuMs, r.latenessMs, r.wallMs, r.readings);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? atoi(argv[1]) : kDefaultSeconds;
    const int32_t ms = (seconds > 0 ? seconds : kDefaultSeconds) * 1000;
    ConnectEntriesToPlatform();
    realClock = SleepEntry::tickCount;
    void (*sleepingPause)(uint32_t) = SleepEntry::pause;
    SleepEntry::tickCount = WatchedClock;

    printf("#time,%d\n", static_cast<int>(ms));
    const Result sleeping = Measure(ms, sleepingPause);
    Print("sleeping wait", sleeping);
    const Result busy = Measure(ms, nullptr);
    Print("busy wait", busy);

    const double share = busy.cpuMs > 0 ? sleeping.cpuMs / busy.cpuMs : 0;
    const bool met = busy.cpuMs > 0 && share < kCpuShareGoal && sleeping.latenessMs >= 0 &&
                     sleeping.latenessMs <= kLatenessGoalMs;
    printf("sleeping/busy cpu: %.2f %%  (goal under %.0f %%, lateness within %ld ms): %s\n", 100.0 * share,
           100.0 * kCpuShareGoal, kLatenessGoalMs, met ? "met" : "NOT met");
    return met ? 0 : 1;
}
