// tailrun: starts KIVORA_PROGRAM (looked up beside tailrun.exe first) with
// the command-line tail KIVORA_TAIL exactly as given, waits for it and
// returns its exit code.
#include <windows.h>

#include <stdio.h>
#include <string>

// The variable's whole value, however long; empty when it is not set.
static std::string Env(const char* name) {
    DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return std::string();
    std::string value(size, '\0');
    DWORD length = GetEnvironmentVariableA(name, &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

int main() {
    std::string program = Env("KIVORA_PROGRAM");
    if (program.empty()) {
        fprintf(stderr, "tailrun: KIVORA_PROGRAM is not set\n");
        return 2;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string dir(self);
    dir.erase(dir.find_last_of('\\') + 1);
    std::string path = (GetFileAttributesA((dir + program).c_str()) != INVALID_FILE_ATTRIBUTES)
                           ? dir + program
                           : program;

    std::string line = "\"" + path + "\" " + Env("KIVORA_TAIL");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        fprintf(stderr, "tailrun: cannot start %s (error %lu)\n", path.c_str(), GetLastError());
        return 2;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}
