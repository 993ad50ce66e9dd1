#include "process_usage.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

namespace e2e {

namespace {

double HundredNsToMs(const FILETIME& t) {
    return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
}

// The GDI handle table that the process environment block points at: under
// Wine each process has its own, one 24-byte entry per handle, the object's
// type in byte 14 and 0 there when the entry is free.
#ifdef _WIN64
const SIZE_T kPebGdiTableOffset = 0xF8;
#else
const SIZE_T kPebGdiTableOffset = 0x94;
#endif
const SIZE_T kGdiEntries = 0x10000;
const SIZE_T kGdiEntrySize = 24;
const SIZE_T kGdiTypeOffset = 14;
const SIZE_T kSliceEntries = 1024;

long CountGdiEntries(HANDLE process) {
    using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    ULONG_PTR table = 0;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<char*>(basic.PebBaseAddress) + kPebGdiTableOffset, &table,
                             sizeof table, &read) || !table)
        return -1;
    // Read in slices on the stack: a heap buffer of the table's 1.5 MB stays
    // with the process once freed and would count as the growth looked for.
    unsigned char slice[kSliceEntries * kGdiEntrySize];
    long used = 0;
    for (SIZE_T first = 0; first < kGdiEntries; first += kSliceEntries) {
        if (!::ReadProcessMemory(process, reinterpret_cast<const char*>(table) + first * kGdiEntrySize, slice,
                                 sizeof slice, &read))
            return -1;
        for (SIZE_T i = 0; i < kSliceEntries; ++i)
            if (slice[i * kGdiEntrySize + kGdiTypeOffset]) ++used;
    }
    return used;
}

// USER handles are tried one by one: every handle number (Wine takes a
// handle without its generation word for any generation). Windows of any
// process can be asked after; menus and cursors only of this one.
const UINT_PTR kFirstUserHandle = 0x20;
const UINT_PTR kLastUserHandle = 0xFFEF;

long CountUserObjects(DWORD processId) {
    using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
    auto frameInfo = reinterpret_cast<FrameInfo>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
    const bool own = processId == ::GetCurrentProcessId();
    long count = 0;
    for (UINT_PTR h = kFirstUserHandle; h <= kLastUserHandle; h += 2) {
        DWORD owner = 0;
        HWND window = reinterpret_cast<HWND>(h);
        if (::IsWindow(window) && ::GetWindowThreadProcessId(window, &owner) && owner == processId) ++count;
        if (!own) continue;
        if (::IsMenu(reinterpret_cast<HMENU>(h))) ++count;
        DWORD rate = 0, steps = 0;
        if (frameInfo && frameInfo(reinterpret_cast<HCURSOR>(h), 0, 0, &rate, &steps)) ++count;
    }
    return count;
}

double ProcessCpuMs(DWORD processId) {
    double total = 0;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        HANDLE thread = ::OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        FILETIME created, ended, kernel, user;
        if (::GetThreadTimes(thread, &created, &ended, &kernel, &user))
            total += HundredNsToMs(kernel) + HundredNsToMs(user);
        ::CloseHandle(thread);
    }
    ::CloseHandle(snapshot);
    return total;
}

}  // namespace

void MeasureCost(HANDLE process, DWORD processId, ProcessUsage* usage) {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        usage->privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        usage->workingSetBytes = memory.WorkingSetSize;
    }
    usage->cpuMs = ProcessCpuMs(processId);
}

ProcessUsage MeasureProcess(HANDLE process, DWORD processId) {
    ProcessUsage usage;
    MeasureCost(process, processId, &usage);
    DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    usage.gdiObjects = gdi ? static_cast<long>(gdi) : CountGdiEntries(process);
    DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
    usage.userObjects = user ? static_cast<long>(user) : CountUserObjects(processId);
    return usage;
}

}  // namespace e2e
