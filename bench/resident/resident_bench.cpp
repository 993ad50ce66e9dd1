// What the tray-resident programs cost while they wait, against the floor
// (bench_resident_floor: a bare window, tray icon and 200 ms clock timer).
// All of them run side by side in one run: lofter resident over Notepad
// with z=TOP,a=ON, aubade and nocturne waiting for a time twelve hours
// ahead. After they settle, each one's CPU time (user + kernel, all
// threads) is taken over the measuring window, and its private memory and
// working set at its end. Prints each figure as a multiple of its floor's
// and whether the goal (at most 1.2 times on private memory and CPU) is met.
//
// lofter's floor is the bare one that has also started Notepad through the
// shell, with lofter's call: the shell's execute machinery (COM among it)
// stays loaded in whoever calls it, about 1.2 MB of private memory under
// Wine, a cost of the platform that no launcher escapes. That floor's own
// multiple of the bare floor shows the size of it.
//   ./dev resident [seconds]    (the release build, see dev)
//   ./dev run bench_resident [seconds [folder]]
// seconds: the measuring window (default 60). folder: where the programs,
// kivlib.dll and the floor are taken from (default: beside the bench), for
// example stripped copies: under Wine the debug sections of a program are
// read into its private memory when they do not lie on page boundaries.
#include "harness.h"
#include "lofter_keys.h"
#include "process_usage.h"

#include <stdio.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace {

const int kDefaultSeconds = 60;
const double kGoal = 1.2;
const DWORD kSettleMs = 5000;
const DWORD kPlacedMs = 20000;

// lofter's default return interval; a capture delay that lets Notepad reach
// the foreground on a busy machine.
const char kBenchInterval[] = "500";
const char kBenchDelay[] = "2000";

// Rows of the table, in this order.
enum Row { kBareFloor, kShellFloor, kLofter, kAubade, kNocturne, kRows };

struct Resident {
    const char* name;
    const char* exe;
    const char* mainClass;  // its main window's class, which a close ends
    std::string tail;
    Row floor;              // the row its figures are measured against
    e2e::Program program;
    e2e::ProcessUsage before, after;
};

// A stored timing, put back when the bench ends.
class KeptKey {
public:
    KeptKey(const char* path, const char* text)
        : path_(path), old_(e2e::ReadRegistryText(HKEY_USERS, path)) {
        e2e::WriteRegistryText(HKEY_USERS, path, text);
    }
    ~KeptKey() {
        if (old_)
            e2e::WriteRegistryText(HKEY_USERS, path_, *old_);
        else
            ::RegDeleteKeyA(HKEY_USERS, path_);
    }

private:
    const char* path_;
    std::optional<std::string> old_;
};

// H:mm twelve hours from now: a time the run never reaches.
std::string FarAhead() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char text[16];
    snprintf(text, sizeof text, "%d:%02d", (now.wHour + 12) % 24, now.wMinute);
    return text;
}

HWND WaitForPlacedNotepad() {
    e2e::WindowQuery query;
    query.className = "Notepad";
    query.visibleOnly = true;
    HWND notepad = e2e::WaitForWindow(query, kPlacedMs);
    DWORD start = ::GetTickCount();
    while (notepad && !e2e::IsTopMost(notepad) && ::GetTickCount() - start < kPlacedMs) e2e::PumpFor(50);
    return notepad && e2e::IsTopMost(notepad) ? notepad : nullptr;
}

// The Notepad that the shell floor started, beside lofter's.
bool WaitForSecondNotepad() {
    e2e::WindowQuery query;
    query.className = "Notepad";
    query.visibleOnly = true;
    DWORD start = ::GetTickCount();
    while (e2e::FindWindows(query).size() < 2) {
        if (::GetTickCount() - start >= kPlacedMs) return false;
        e2e::PumpFor(50);
    }
    return true;
}

double Ratio(double value, double floor) { return floor > 0 ? value / floor : 0; }

void CloseMainWindows(const Resident& r) {
    e2e::WindowQuery query;
    query.className = r.mainClass;
    query.processId = r.program.Id();
    for (HWND window : e2e::FindWindows(query)) ::PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const int asked = argc > 1 ? atoi(argv[1]) : kDefaultSeconds;
    const int seconds = asked > 0 ? asked : kDefaultSeconds;
    KeptKey delay(e2e::kLofterDelayKey, kBenchDelay);
    KeptKey interval(e2e::kLofterIntervalKey, kBenchInterval);
    const std::string later = FarAhead();
    const std::string folder = argc > 2 ? std::string(argv[2]) + "\\" : e2e::BesideTests("");

    Resident residents[kRows] = {
        {"floor", "bench_resident_floor.exe", "ResidentFloor", "", kBareFloor, {}, {}, {}},
        {"floor + shell start", "bench_resident_floor.exe", "ResidentFloor", "notepad.exe", kBareFloor, {}, {}, {}},
        {"lofter z=TOP,a=ON", "lofter.exe", "MAINWIN", "z=TOP,a=ON,e=notepad.exe", kShellFloor, {}, {}, {}},
        {"aubade waiting", "aubade.exe", "Aubade", later + " notepad.exe", kBareFloor, {}, {}, {}},
        {"nocturne waiting", "nocturne.exe", "Nocturne", later + " Resident bench target", kBareFloor, {}, {}, {}},
    };
    Resident& shellFloor = residents[kShellFloor];
    for (Resident& r : residents) {
        if (&r != &shellFloor && !r.program.Start(folder + r.exe, r.tail)) {
            printf("could not start %s\n", r.exe);
            return 2;
        }
    }
    HWND notepad = WaitForPlacedNotepad();
    if (!notepad) {
        printf("lofter did not make Notepad top-most\n");
        return 2;
    }
    // Only now, so that lofter cannot take the second Notepad for its own.
    if (!shellFloor.program.Start(folder + shellFloor.exe, shellFloor.tail) || !WaitForSecondNotepad()) {
        printf("the floor did not start Notepad through the shell\n");
        return 2;
    }
    e2e::PumpFor(kSettleMs);
    for (Resident& r : residents) {
        if (!r.program.IsRunning()) {
            printf("%s ended before the measurement\n", r.name);
            return 2;
        }
        e2e::MeasureCost(r.program.Handle(), r.program.Id(), &r.before);
    }
    e2e::PumpFor(static_cast<DWORD>(seconds) * 1000);
    for (Resident& r : residents) e2e::MeasureCost(r.program.Handle(), r.program.Id(), &r.after);

#ifdef _WIN64
    const char* arch = "x86_64";
#else
    const char* arch = "i686";
#endif
    // The build type is this bench's own: it describes the programs only
    // when they are the ones beside it.
    if (argc > 2)
        printf("Resident cost over %d s, %s programs from %s, side by side under Wine\n", seconds, arch,
               folder.c_str());
    else
        printf("Resident cost over %d s, %s %s build from %s, programs side by side under Wine\n", seconds,
               arch, KIVORA_BUILD_TYPE, folder.c_str());
    printf("%-20s %-20s %12s %7s %14s %7s %9s %7s  %s\n", "program", "against", "private KiB", "x floor",
           "working set KiB", "x floor", "CPU ms", "x floor", "goal (<= 1.2x private and CPU)");
    bool allMet = true;
    for (const Resident& r : residents) {
        const Resident& floor = residents[r.floor];
        const bool isFloor = &r == &floor || &r == &shellFloor;
        const double cpu = r.after.cpuMs - r.before.cpuMs;
        const double privateRatio = Ratio(static_cast<double>(r.after.privateBytes),
                                          static_cast<double>(floor.after.privateBytes));
        const double cpuRatio = Ratio(cpu, floor.after.cpuMs - floor.before.cpuMs);
        const bool met = privateRatio <= kGoal && cpuRatio <= kGoal;
        if (!isFloor) allMet = allMet && met;
        printf("%-20s %-20s %12lu %7.2f %14lu %7.2f %9.1f %7.2f  %s\n", r.name, floor.name,
               e2e::KiB(r.after.privateBytes), privateRatio, e2e::KiB(r.after.workingSetBytes),
               Ratio(static_cast<double>(r.after.workingSetBytes), static_cast<double>(floor.after.workingSetBytes)),
               cpu, cpuRatio, isFloor ? "-" : met ? "met" : "NOT met");
    }

    ::PostMessageA(notepad, WM_CLOSE, 0, 0);  // lofter ends with its target
    for (Resident& r : residents) CloseMainWindows(r);
    for (Resident& r : residents) r.program.WaitForExit(5000);
    e2e::CloseWindowsOfClass("Notepad");  // the shell floor's
    return allMet ? 0 : 1;
}
