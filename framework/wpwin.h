// Window objects: one object bound to one native window, a shared creation
// template, one virtual handler per kind of message, and the rule of who
// deletes the object when its window goes away.
#ifndef KIVORA_WPWIN_H
#define KIVORA_WPWIN_H

#include <windows.h>

#include <stddef.h>

#include "wpdiag.h"
#include "wprect.h"

class WPWin;
class WPOwnerDraw;

// One message as handed to handlers. A handler that reports the message
// handled may set result, which the window procedure then returns.
struct WPMsg {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

// One menu handle. It does not own the menu: a window's menu goes with the
// window, a popup with the program; Destroy ends one explicitly.
class WPMenu {
public:
    explicit WPMenu(HMENU handle = nullptr) : hmenu(handle) {}

    // Makes a new empty menu or popup menu in this object.
    void Create();
    void CreatePopup();
    void Destroy();

    BOOL Append(UINT flags, UINT_PTR id, const char* text);
    // Appends sub as a popup (MF_POPUP with its handle).
    BOOL AppendPopup(const WPMenu& sub, const char* text, UINT flags = 0);
    // MF_CHECKED is added to flags when checked is set.
    DWORD Check(UINT item, int checked, UINT flags = MF_BYCOMMAND);
    // MF_GRAYED is added to flags when enabled is clear.
    BOOL Enable(UINT item, int enabled, UINT flags = MF_BYCOMMAND);
    UINT ItemId(int position) const;
    // The menu of win's window (none for no window).
    static WPMenu OfWindow(const WPWin* win);
    // Shows the popup at a screen point (TPM_LEFTBUTTON) owned by owner.
    BOOL Popup(const WPPoint& at, const WPWin* owner);

    bool operator==(const WPMenu& other) const { return hmenu == other.hmenu; }
    bool operator!=(const WPMenu& other) const { return hmenu != other.hmenu; }

    HMENU hmenu;
};

// The program-wide creation template: window-class half, then window half.
// A window object's constructor fills it; a derived constructor adjusts it
// and calls Create before any other window object is constructed.
struct WPCreateTemplate {
    // Window-class half (used only when the class is not yet registered).
    UINT classStyle;
    WNDPROC classProc;
    int classExtra;
    int windowExtra;
    HINSTANCE hinst;
    HICON icon;
    HCURSOR cursor;
    HBRUSH background;
    const char* menuName;
    const char* classnm;
    // Window half.
    const char* title;
    DWORD style;
    DWORD exStyle;
    int left;
    int top;
    int width;
    int height;
    HMENU menuOrId;
    WPWin* parent;
    void* param;
};

extern WPCreateTemplate createTemplate;

// The most recently allocated window object (see WPWin::deletable).
extern void* lastNew;

// The window property that holds a window's object.
extern const char kWinProperty[];  // "w+"

// The framework window procedure, installed into every bound window.
LRESULT CALLBACK WPWinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class WPWin {
public:
    // Fills the creation template: class name, parent, menu or child id;
    // style WS_CHILD | WS_VISIBLE when a parent is given. Unbound afterwards.
    WPWin(const char* className, WPWin* parent = nullptr, HMENU menuOrId = nullptr);
    // Detaches; never destroys the native window.
    virtual ~WPWin();

    // Window objects come from the local heap; new records the block in
    // lastNew so that the constructor can tell it was made with new.
    static void* operator new(size_t size);
    static void operator delete(void* ptr);

    // --- The virtual operations, in their fixed order. ---
    virtual LRESULT HandleMessage(WPMsg& msg);
    // Creates the window from the template; 1 if bound afterwards.
    virtual int Create();
    virtual void Destroy();
    virtual void AddOwnerDraw(WPOwnerDraw* item);
    virtual int OnActivate(int state, int minimized);
    virtual int OnClose();
    virtual int OnCommand(int id, int code);
    virtual int OnEnable(int enabled);
    virtual int OnGetMinMaxInfo(MINMAXINFO* info);
    virtual int OnSetFocus(WPWin* previous);
    virtual int OnKey(WPMsg& msg);
    virtual int OnKillFocus(WPWin* next);
    virtual int OnInitMenu(WPMenu& menu);
    virtual int OnMenuSelect(int item, HMENU menu);
    virtual int OnMouse(UINT message, int x, int y, WPARAM keys);
    virtual int OnMove(int x, int y);
    virtual int OnPaint();
    virtual int OnQueryEndSession();
    virtual int OnQueryOpen();
    virtual int OnScroll(int code, int id, int position);
    virtual int OnSize(WPRect& rect, int sizeType);
    virtual int OnTimer(UINT id);
    virtual int OnOther(WPMsg& msg);
    virtual int OnNotify(WPMsg& msg);

    // Routes a message to its handler and returns the handler's result
    // (nonzero: handled, msg.result holds the answer).
    int Dispatch(WPMsg& msg);

    // Sets the template's title, then Create.
    int CreateTitled(const char* title);

    // Binds to an existing window: property "w+", subclassed with winProc.
    void Attach(HWND newhwnd);
    // Unbinds: puts the old procedure back and removes the property.
    void Detach();
    // The object bound to hwnd, or none.
    static WPWin* GetWin(HWND hwnd);

    // Default processing: the procedure the window had before binding.
    LRESULT CallOldProc(const WPMsg& msg) const;

    // --- Thin forwards, each one call on hwnd. ---
    BOOL Show(int showCommand);
    BOOL Hide() { return Show(SW_HIDE); }
    BOOL Update();
    BOOL Enable(BOOL enabled);
    HWND SetFocus();
    BOOL Invalidate(BOOL erase);
    BOOL SetText(const char* text);
    int GetText(char* buffer, int size) const;
    int GetTextLength() const;
    LRESULT SendMsg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds);
    BOOL KillTimer(UINT_PTR id);
    // A message box owned by this window (through the platform seam).
    int MsgBox(const char* text, const char* caption, UINT type);
    // Caption "Warning!", MB_ICONQUESTION added to flags.
    int WarningBox(const char* text, UINT flags);
    BOOL ClientToScreen(WPPoint& point) const;
    BOOL ScreenToClient(WPPoint& point) const;
    BOOL GetClientRect(WPRect& rect) const;
    BOOL GetWindowRect(WPRect& rect) const;
    WPWin* GetChild(int id) const;
    WPWin* GetParent() const;
    int GetId() const;
    BOOL EndDialog(int code);

    // Bound children in z-order, skipping child windows without an object:
    // for (WPWin* c = w.FirstChild(); c; c = c->NextSibling()) ...
    WPWin* FirstChild() const;
    WPWin* NextSibling() const;
    int ChildCount() const;

    // A program's start-up runs in its main window's constructor, whose
    // boxes and shell calls run loops in which the window can be closed.
    // From HoldWhileConstructing to ConstructionDone the construction counts
    // as a running handler, so such a close deletes the object only after
    // its constructor has returned: ConstructionDone deletes it then (and
    // returns false). Without a hold ConstructionDone does nothing.
    void HoldWhileConstructing();
    bool ConstructionDone();

    WNDPROC oldProc;
    HWND hwnd;
    int deletable;

private:
    friend LRESULT CALLBACK WPWinProc(HWND, UINT, WPARAM, LPARAM);
    friend class WPHandlerScope;

    // How many of this object's handlers are running: more than one while a
    // handler runs a nested loop (a modal dialog, a message box, the shell's
    // own box) that calls the object again.
    int handlerDepth_ = 0;
    // The window went away while a handler ran: the object made with new is
    // deleted once the outermost handler has returned, not under its feet.
    bool deleteWhenIdle_ = false;
    // The construction holds one count of handlerDepth_.
    bool constructing_ = false;

    WPWin(const WPWin&) = delete;
    WPWin& operator=(const WPWin&) = delete;
};

#endif
