#include "harness.h"

namespace e2e {

namespace {

const DWORD kPollMs = 20;

struct FindState {
    const WindowQuery* query;
    std::vector<HWND>* found;
};

bool Matches(HWND window, const WindowQuery& q) {
    if (q.visibleOnly && !IsWindowVisible(window)) return false;
    if (q.processId) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != q.processId) return false;
    }
    if (!q.className.empty() && ClassOf(window) != q.className) return false;
    if (!q.caption.empty() && TextOf(window) != q.caption) return false;
    return true;
}

BOOL CALLBACK CollectMatching(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<FindState*>(param);
    if (Matches(window, *state->query)) state->found->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectButtons(HWND child, LPARAM param) {
    auto* buttons = reinterpret_cast<std::vector<MessageBoxButton>*>(param);
    if (ClassOf(child) == "Button" && IsWindowVisible(child))
        buttons->push_back({GetDlgCtrlID(child), TextOf(child)});
    return TRUE;
}

}  // namespace

std::string BesideTests(const std::string& fileName) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1) + fileName;
}

Program::~Program() {
    if (!process_) return;
    if (IsRunning()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool Program::Start(const std::string& exePath, const std::string& tail) {
    std::string line = "\"" + exePath + "\" " + tail;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exePath.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    id_ = pi.dwProcessId;
    WaitForInputIdle(process_, 5000);
    return true;
}

bool Program::IsRunning() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

namespace {

std::string InSystemFolder(const char* fileName) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\" + fileName;
}

}  // namespace

bool AskToEnd(const std::string& imageName) {
    Program taskkill;
    return taskkill.Start(InSystemFolder("taskkill.exe"), "/im " + imageName) &&
           taskkill.WaitForExit(10000).has_value();
}

HWND StartNotepad(Program& notepad) {
    if (!notepad.Start(InSystemFolder("notepad.exe"), "")) return nullptr;
    WindowQuery query;
    query.className = "Notepad";
    query.processId = notepad.Id();
    query.visibleOnly = true;
    return WaitForWindow(query, 10000);
}

std::vector<HWND> BoxesOnScreen() {
    WindowQuery boxes;
    boxes.className = "#32770";
    boxes.visibleOnly = true;
    return FindWindows(boxes);
}

std::vector<HWND> FindWindows(const WindowQuery& query) {
    std::vector<HWND> found;
    FindState state{&query, &found};
    EnumWindows(CollectMatching, reinterpret_cast<LPARAM>(&state));
    return found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = FindWindows(query);
        if (!found.empty()) return found.front();
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        PumpFor(kPollMs);
    }
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    // WM_GETTEXT reads another process's controls too (GetWindowText does not).
    char text[1024] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &length))
        return "";
    return std::string(text, length < sizeof text ? length : sizeof text - 1);
}

bool MessageBoxInfo::HasButton(int id) const {
    for (const MessageBoxButton& b : buttons)
        if (b.id == id) return true;
    return false;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.window = box;
    info.caption = TextOf(box);
    if (HWND text = GetDlgItem(box, 0xFFFF)) info.text = TextOf(text);
    EnumChildWindows(box, CollectButtons, reinterpret_cast<LPARAM>(&info.buttons));
    return info;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    WindowQuery query;
    query.className = "#32770";
    query.processId = processId;
    query.visibleOnly = true;
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND box : FindWindows(query))
            if (GetDlgItem(box, 0xFFFF)) return ReadMessageBox(box);
        if (GetTickCount() - start >= timeoutMs) return std::nullopt;
        PumpFor(kPollMs);
    }
}

bool PressButton(const MessageBoxInfo& box, int id) {
    if (!box.HasButton(id)) return false;
    HWND button = GetDlgItem(box.window, id);
    return PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        PumpFor(kPollMs);
    }
    return true;
}

void CloseWindowsOfClass(const char* className) {
    WindowQuery query;
    query.className = className;
    for (HWND window : FindWindows(query)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        WaitForWindowGone(window, 5000);
    }
}

bool WaitForOrigin(HWND window, int x, int y, DWORD timeoutMs, DWORD* tookMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const RECT r = WindowRect(window);
        if (r.left == x && r.top == y) {
            if (tookMs) *tookMs = GetTickCount() - start;
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) return false;
        PumpFor(5);
    }
}

HWND WaitForDialogWith(DWORD processId, int controlId, DWORD timeoutMs) {
    WindowQuery query;
    query.className = "#32770";
    query.processId = processId;
    query.visibleOnly = true;
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND dialog : FindWindows(query))
            if (controlId == 0 || GetDlgItem(dialog, controlId)) return dialog;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        PumpFor(kPollMs);
    }
}

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

bool IsTopMost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

std::optional<std::string> ReadRegistryText(HKEY root, const std::string& keyPath,
                                            const std::string& valueName) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    char data[1024];
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    LONG rc = RegQueryValueExA(key, valueName.empty() ? nullptr : valueName.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    data[size] = '\0';
    return std::string(data);  // stops at the stored terminator
}

bool WriteRegistryText(HKEY root, const std::string& keyPath, const std::string& text,
                       const std::string& valueName) {
    HKEY key;
    if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool DeleteRegistryTree(HKEY root, const std::string& keyPath) {
    RegDeleteTreeA(root, keyPath.c_str());
    HKEY key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }
    return true;
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

}  // namespace e2e
