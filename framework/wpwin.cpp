#include "wpwin.h"

#include "wpapp.h"
#include "wpplatform.h"

#include <stdint.h>

WPCreateTemplate createTemplate;
void* lastNew = nullptr;
const char kWinProperty[] = "w+";

namespace {

// A small direct-mapped cache of handle -> object in front of the "w+"
// property. The property stays the record of the binding (and what other
// code sees); the cache spares the window procedure a property lookup per
// message. Attach fills an entry, Detach clears it, so it never outlives a
// binding.
struct CacheEntry {
    HWND hwnd;
    WPWin* win;
};
constexpr int kCacheSize = 64;
CacheEntry cache[kCacheSize];

CacheEntry& CacheSlot(HWND hwnd) {
    uintptr_t h = reinterpret_cast<uintptr_t>(hwnd);
    return cache[((h >> 2) ^ (h >> 8)) & (kCacheSize - 1)];
}

}  // namespace

WPWin::WPWin(const char* className, WPWin* parent, HMENU menuOrId)
    : oldProc(nullptr), hwnd(nullptr), deletable(lastNew == this) {
    lastNew = nullptr;
    WPCreateTemplate& t = createTemplate;
    t.classStyle = CS_HREDRAW | CS_VREDRAW;
    t.classProc = DefWindowProcA;
    t.classExtra = 0;
    t.windowExtra = 0;
    t.hinst = wpApp.hinst;
    t.icon = nullptr;
    t.cursor = LoadCursorA(nullptr, IDC_ARROW);
    t.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    t.menuName = nullptr;
    t.classnm = className;
    t.title = nullptr;
    t.style = parent ? WS_CHILD | WS_VISIBLE : 0;
    t.exStyle = 0;
    t.left = CW_USEDEFAULT;
    t.top = CW_USEDEFAULT;
    t.width = CW_USEDEFAULT;
    t.height = CW_USEDEFAULT;
    t.menuOrId = menuOrId;
    t.parent = parent;
    t.param = nullptr;
}

WPWin::~WPWin() { Detach(); }

void WPWin::HoldWhileConstructing() {
    if (constructing_) return;
    constructing_ = true;
    ++handlerDepth_;
}

bool WPWin::ConstructionDone() {
    if (!constructing_) return true;
    constructing_ = false;
    if (--handlerDepth_ == 0 && deleteWhenIdle_) {
        delete this;
        return false;
    }
    return true;
}

int WPWin::Create() {
    if (hwnd) return 1;
    WPCreateTemplate& t = createTemplate;
    // Without a class name or an instance nothing can be created.
    if (!WPCheck(t.classnm != nullptr, "classnm")) return 0;
    if (!WPCheck(t.hinst != nullptr, "hinst")) return 0;
    WNDCLASSA known;
    if (!GetClassInfoA(t.hinst, t.classnm, &known) && !GetClassInfoA(nullptr, t.classnm, &known)) {
        WNDCLASSA cls = {};
        cls.style = t.classStyle;
        cls.lpfnWndProc = t.classProc;
        cls.cbClsExtra = t.classExtra;
        cls.cbWndExtra = t.windowExtra;
        cls.hInstance = t.hinst;
        cls.hIcon = t.icon;
        cls.hCursor = t.cursor;
        cls.hbrBackground = t.background;
        cls.lpszMenuName = t.menuName;
        cls.lpszClassName = t.classnm;
        WPCheck(RegisterClassA(&cls) != 0, "ret");
    }
    HWND created = CreateWindowExA(t.exStyle, t.classnm, t.title, t.style, t.left, t.top, t.width,
                                   t.height, t.parent ? t.parent->hwnd : nullptr, t.menuOrId,
                                   t.hinst, t.param);
    Attach(created);
    return hwnd != nullptr;
}

int WPWin::CreateTitled(const char* title) {
    createTemplate.title = title;
    return Create();
}

void WPWin::Destroy() {
    if (hwnd) DestroyWindow(hwnd);
}

void WPWin::Attach(HWND newhwnd) {
    // Binding over a binding, or to no window, would leave a window whose
    // procedure and property disagree with its object: refuse after OK.
    if (!WPCheck(hwnd == nullptr, "hwnd==NULL")) return;
    if (!WPCheck(IsWindow(newhwnd) != FALSE, "IsWindow(newhwnd)")) return;
    hwnd = newhwnd;
    SetPropA(newhwnd, kWinProperty, this);
    CacheSlot(newhwnd) = CacheEntry{newhwnd, this};
    oldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(newhwnd, GWLP_WNDPROC));
    SetWindowLongPtrA(newhwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wpApp.winProc));
}

void WPWin::Detach() {
    if (!hwnd) return;
    if (oldProc) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
        oldProc = nullptr;
    }
    WPCheck(GetWin(hwnd) == this, "GetWin(hwnd)==this");
    CacheEntry& slot = CacheSlot(hwnd);
    if (slot.hwnd == hwnd) slot = CacheEntry{nullptr, nullptr};
    RemovePropA(hwnd, kWinProperty);
    hwnd = nullptr;
}

WPWin* WPWin::GetWin(HWND handle) {
    if (!handle) return nullptr;
    // A cached handle is bound, hence alive: Detach, which runs at the
    // latest on WM_DESTROY, takes it out of the cache.
    const CacheEntry& slot = CacheSlot(handle);
    if (slot.hwnd == handle) return slot.win;
    if (!WPCheck(IsWindow(handle) != FALSE, "IsWindow(hwnd)")) return nullptr;
    // Another process's window may carry a "w+" property too; its value is
    // an address in that process and must never be used here.
    DWORD process = 0;
    GetWindowThreadProcessId(handle, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    WPWin* win = static_cast<WPWin*>(GetPropA(handle, kWinProperty));
    if (win) CacheSlot(handle) = CacheEntry{handle, win};
    return win;
}

LRESULT WPWin::CallOldProc(const WPMsg& msg) const {
    if (!oldProc) return DefWindowProcA(hwnd, msg.msg, msg.wParam, msg.lParam);
    return CallWindowProcA(oldProc, hwnd, msg.msg, msg.wParam, msg.lParam);
}

void WPWin::AddOwnerDraw(WPOwnerDraw*) { WPCheck(false, "FALSE"); }

// --- Thin forwards. ---

BOOL WPWin::Show(int showCommand) { return ShowWindow(hwnd, showCommand); }
BOOL WPWin::Update() { return UpdateWindow(hwnd); }
BOOL WPWin::Enable(BOOL enabled) { return EnableWindow(hwnd, enabled); }
HWND WPWin::SetFocus() { return ::SetFocus(hwnd); }
BOOL WPWin::Invalidate(BOOL erase) { return InvalidateRect(hwnd, nullptr, erase); }
BOOL WPWin::SetText(const char* text) { return SetWindowTextA(hwnd, text); }
int WPWin::GetText(char* buffer, int size) const { return GetWindowTextA(hwnd, buffer, size); }
int WPWin::GetTextLength() const { return GetWindowTextLengthA(hwnd); }

LRESULT WPWin::SendMsg(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(hwnd, message, wParam, lParam);
}

UINT_PTR WPWin::SetTimer(UINT_PTR id, UINT milliseconds) {
    // Without a window the call would start a thread timer that nothing
    // handles or kills (an object whose window closed under a handler).
    if (!hwnd) return 0;
    return ::SetTimer(hwnd, id, milliseconds, nullptr);
}

BOOL WPWin::KillTimer(UINT_PTR id) {
    // Without a window the call would kill the thread timer of that id, one
    // that belongs to someone else (destructors stop their timers after the
    // object was unbound).
    if (!hwnd) return FALSE;
    return ::KillTimer(hwnd, id);
}

int WPWin::MsgBox(const char* text, const char* caption, UINT type) {
    return Platform().ShowMessageBox(hwnd, text, caption, type);
}

int WPWin::WarningBox(const char* text, UINT flags) {
    return MsgBox(text, "Warning!", flags | MB_ICONQUESTION);
}

BOOL WPWin::ClientToScreen(WPPoint& point) const {
    POINT p = {point.x, point.y};
    BOOL ok = ::ClientToScreen(hwnd, &p);
    point = WPPoint(p.x, p.y);
    return ok;
}

BOOL WPWin::ScreenToClient(WPPoint& point) const {
    POINT p = {point.x, point.y};
    BOOL ok = ::ScreenToClient(hwnd, &p);
    point = WPPoint(p.x, p.y);
    return ok;
}

BOOL WPWin::GetClientRect(WPRect& rect) const {
    RECT r = {};
    BOOL ok = ::GetClientRect(hwnd, &r);
    rect = WPRect(r.left, r.top, r.right, r.bottom);
    return ok;
}

BOOL WPWin::GetWindowRect(WPRect& rect) const {
    RECT r = {};
    BOOL ok = ::GetWindowRect(hwnd, &r);
    rect = WPRect(r.left, r.top, r.right, r.bottom);
    return ok;
}

WPWin* WPWin::GetChild(int id) const { return GetWin(GetDlgItem(hwnd, id)); }
WPWin* WPWin::GetParent() const { return GetWin(::GetParent(hwnd)); }
int WPWin::GetId() const { return static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_ID)); }
BOOL WPWin::EndDialog(int code) { return ::EndDialog(hwnd, code); }

// --- Children. ---

namespace {

WPWin* FirstBoundFrom(HWND child) {
    for (; child; child = GetWindow(child, GW_HWNDNEXT))
        if (WPWin* win = WPWin::GetWin(child)) return win;
    return nullptr;
}

}  // namespace

WPWin* WPWin::FirstChild() const { return hwnd ? FirstBoundFrom(GetWindow(hwnd, GW_CHILD)) : nullptr; }

WPWin* WPWin::NextSibling() const {
    return hwnd ? FirstBoundFrom(GetWindow(hwnd, GW_HWNDNEXT)) : nullptr;
}

int WPWin::ChildCount() const {
    int count = 0;
    for (WPWin* c = FirstChild(); c; c = c->NextSibling()) ++count;
    return count;
}
