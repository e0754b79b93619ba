// Windows: the handle table, creation and destruction in the platform's order, the window tree, window
// longs, text and properties.
#include "core/Core.h"
#include "render/Render.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <unistd.h>

namespace emu::core {

std::vector<HandleSlot> g_handleSlots;

namespace {

constexpr uint32_t kIndexMask = (1u << kHandleIndexBits) - 1;
constexpr uint32_t kMaxGeneration = 0x7FF;
constexpr size_t kReuseAfter = 1024;

// Freed slots, reused first in first out.
std::deque<uint32_t>& FreeSlots() {
    static std::deque<uint32_t> free;
    return free;
}

HWND Allocate(Window* w) {
    std::vector<HandleSlot>& slots = g_handleSlots;
    std::deque<uint32_t>& free = FreeSlots();
    if (slots.empty())
        slots.emplace_back();
    uint32_t index;
    if (free.size() > kReuseAfter || (slots.size() > kIndexMask && !free.empty())) {
        index = free.front();
        free.pop_front();
    } else if (slots.size() <= kIndexMask) {
        index = static_cast<uint32_t>(slots.size());
        slots.emplace_back();
    } else {
        return nullptr;
    }
    HandleSlot& slot = slots[index];
    slot.generation = slot.generation % kMaxGeneration + 1;
    slot.window = w;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(slot.generation << kHandleIndexBits | index));
}

void FreeHandle(HWND hwnd) {
    uint32_t index = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)) & kIndexMask;
    g_handleSlots[index].window = nullptr;
    FreeSlots().push_back(index);
}

WndClass& RootClass(const char* name) {
    static std::deque<WndClass> classes;
    WndClass& cls = classes.emplace_back();
    cls.name = name;
    cls.proc = DefWindowProcA;
    cls.windows = 1;
    return cls;
}

Window* MakeRoot(const char* className, DWORD style, RECT rect) {
    auto* w = new Window;
    w->handle = Allocate(w);
    w->cls = &RootClass(className);
    w->proc = w->cls->proc;
    w->style = style;
    w->rect = rect;
    w->client = rect;
    w->linked = true;
    w->created = true;
    return w;
}

// Sends WM_PARENTNOTIFY up the chain of ancestors, as long as each child on the way lets it through.
void NotifyParents(Window* w, WPARAM wParam, LPARAM lParam) {
    HWND child = w->handle;
    for (Window* c = w; c && IsChildWindow(c) && !(c->exStyle & WS_EX_NOPARENTNOTIFY);) {
        Window* parent = c->parent;
        if (!parent || parent == Desktop() || parent == MessageRoot())
            break;
        HWND parentHandle = parent->handle;
        Send(parent, WM_PARENTNOTIFY, wParam, lParam);
        c = Find(parentHandle);
        if (!Find(child))
            break;
    }
}

// Releases everything a destroyed window holds, after its WM_NCDESTROY.
void Retire(Window* w) {
    KillWindowTimers(w->handle);
    ForgetSystemMenu(w->handle);
    PurgeWindowMessages(w->handle);
    if (w->linked)
        Unlink(w);
    for (Window* top : std::vector<Window*>{Desktop(), MessageRoot()}) {
        for (Window* c = top->firstChild; c; c = c->next) {
            if (c->owner == w)
                c->owner = nullptr;
        }
    }
    ForgetPaint(w);
    emu::render::ResetClientDc(w->handle);
    ReleaseClass(w->cls);
    w->props.clear();
    FreeHandle(w->handle);
    w->dead = true;
}

void SendDestroy(Window* w) {
    w->destroying = true;
    Send(w, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    for (Window* c = w->firstChild; c; c = c->next)
        children.push_back(c->handle);
    for (HWND h : children) {
        Window* c = Find(h);
        if (c && c->parent == w && !c->destroying)
            SendDestroy(c);
    }
}

void FinishDestroy(Window* w) {
    ++w->busy;
    while (w->firstChild)
        FinishDestroy(w->firstChild);
    if (Find(w->handle)) {
        Send(w, WM_NCDESTROY, 0, 0);
        Retire(w);
    }
    Release(w);
}

LONG_PTR ReadExtra(Window* w, int index, size_t size) {
    if (index < 0 || static_cast<size_t>(index) + size > w->extra.size()) {
        SetLastError(kErrorInvalidIndex);
        return 0;
    }
    if (size == sizeof(LONG)) {
        LONG value;
        std::memcpy(&value, w->extra.data() + index, size);
        return value;
    }
    LONG_PTR value;
    std::memcpy(&value, w->extra.data() + index, size);
    return value;
}

bool WriteExtra(Window* w, int index, size_t size, LONG_PTR value, LONG_PTR& old) {
    if (index < 0 || static_cast<size_t>(index) + size > w->extra.size()) {
        SetLastError(kErrorInvalidIndex);
        return false;
    }
    old = ReadExtra(w, index, size);
    if (size == sizeof(LONG)) {
        LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, size);
    } else {
        std::memcpy(w->extra.data() + index, &value, size);
    }
    return true;
}

LONG_PTR GetLong(HWND hwnd, int index, size_t size) {
    Window* w = Check(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: {
        Window* p = IsChildWindow(w) ? w->parent : w->owner;
        return p && p != Desktop() ? reinterpret_cast<LONG_PTR>(p->handle) : 0;
    }
    case GWLP_ID:
        return w->id;
    case GWLP_USERDATA:
        return w->userData;
    default:
        return ReadExtra(w, index, size);
    }
}

LONG_PTR SetStyle(Window* w, int index, DWORD value) {
    HWND hwnd = w->handle;
    DWORD& field = index == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{field, value};
    Send(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (!(w = Find(hwnd)))
        return 0;
    DWORD& target = index == GWL_STYLE ? w->style : w->exStyle;
    target = ss.styleNew;
    Send(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG>(ss.styleOld);
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value, size_t size) {
    Window* w = Check(hwnd);
    if (!w)
        return 0;
    if ((w == Desktop() || w == MessageRoot()) && index != GWLP_USERDATA) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG_PTR old = 0;
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE:
        return SetStyle(w, index, static_cast<DWORD>(value));
    case GWLP_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT: {
        // Sets the owner of a top-level window; a child keeps its parent (SetParent changes that).
        old = GetLong(hwnd, index, size);
        if (IsChildWindow(w))
            return old;
        Window* owner = value ? Find(reinterpret_cast<HWND>(value)) : nullptr;
        w->owner = owner ? Root(owner) : nullptr;
        return old;
    }
    case GWLP_ID:
        old = w->id;
        w->id = value;
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    default:
        return WriteExtra(w, index, size, value, old) ? old : 0;
    }
}

std::string PropKey(LPCSTR name) {
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    std::string key = name;
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

} // namespace

Window* Desktop() {
    static Window* desktop =
        MakeRoot("#32769", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                 RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return desktop;
}

Window* MessageRoot() {
    static Window* root =
        MakeRoot("Message", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, RECT{0, 0, 100, 100});
    return root;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    for (Window* root : {Desktop(), MessageRoot()}) {
        for (Window* c = root->firstChild; c; c = c->next)
            all.push_back(c->handle);
    }
    return all;
}

void Link(Window* w, Window* after) {
    Window* parent = w->parent;
    w->prev = after;
    w->next = after ? after->next : parent->firstChild;
    (w->prev ? w->prev->next : parent->firstChild) = w;
    (w->next ? w->next->prev : parent->lastChild) = w;
    w->linked = true;
}

void Unlink(Window* w) {
    Window* parent = w->parent;
    (w->prev ? w->prev->next : parent->firstChild) = w->next;
    (w->next ? w->next->prev : parent->lastChild) = w->prev;
    w->prev = w->next = nullptr;
    w->linked = false;
}

LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (HasHooks(WH_CALLWNDPROC)) {
        CWPSTRUCT cwp{lParam, wParam, msg, w->handle};
        ++w->busy;
        CallHooks(WH_CALLWNDPROC, HC_ACTION, TRUE, reinterpret_cast<LPARAM>(&cwp));
        bool alive = !w->dead;
        Release(w);
        if (!alive)
            return 0;
    }
    return CallProc(w, w->proc, msg, wParam, lParam);
}

bool IsTopLevel(const Window* w) {
    return w->parent == Desktop() || w->parent == MessageRoot();
}

bool IsDescendant(const Window* ancestor, const Window* w) {
    for (const Window* p = w; p; p = p->parent) {
        if (p == ancestor)
            return true;
    }
    return false;
}

Window* Root(Window* w) {
    while (w->parent && !IsTopLevel(w) && w != Desktop() && w != MessageRoot())
        w = w->parent;
    return w;
}

bool IsVisible(const Window* w) {
    for (; w; w = w->parent) {
        if (!(w->style & WS_VISIBLE))
            return false;
        if (w == Desktop())
            return true;
    }
    return false;
}

bool DestroyTree(Window* w) {
    HWND hwnd = w->handle;
    if (w->destroying)
        return true;
    if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0))
        return false;
    if (!(w = Find(hwnd)) || w->destroying)
        return true;
    w->destroying = true;
    ++w->busy;
    if (w->created && IsChildWindow(w))
        NotifyParents(w, MAKEWPARAM(WM_DESTROY, w->id), reinterpret_cast<LPARAM>(hwnd));
    if (Find(hwnd) && (w->style & WS_VISIBLE)) {
        if (IsChildWindow(w))
            Send(w, WM_SHOWWINDOW, FALSE, 0);
        if (Find(hwnd))
            SetPosition(w, nullptr, 0, 0, 0, 0,
                        SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (Find(hwnd) && IsTopLevel(w)) {
        for (HWND top : TopLevelWindows()) {
            Window* owned = Find(top);
            if (owned && owned->owner == w)
                DestroyTree(owned);
        }
    }
    if (Find(hwnd)) {
        OnHideOrDisable(w);
        ReleaseCaptureFor(w);
    }
    if (Find(hwnd)) {
        SendDestroy(w);
        FinishDestroy(w);
    }
    Release(w);
    return true;
}

bool EqualNoCase(const std::string& a, LPCSTR b) {
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

int CopyText(const std::string& text, LPSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    int n = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n;
}

} // namespace emu::core

using namespace emu::core;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                            int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam) {
    WndClass* cls = FindClassForCreate(lpClassName, hInstance);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Window* parent = Desktop();
    Window* owner = nullptr;
    bool child = (dwStyle & WS_CHILD) != 0;
    if (hWndParent == HWND_MESSAGE) {
        parent = MessageRoot();
    } else if (hWndParent) {
        Window* given = Check(hWndParent);
        if (!given)
            return nullptr;
        if (child)
            parent = given;
        else if (given != Desktop())
            owner = Root(given);
    } else if (child) {
        SetLastError(kErrorTlwWithChild);
        return nullptr;
    }
    if (!child && !(dwStyle & WS_POPUP))
        dwStyle |= WS_CLIPSIBLINGS | WS_CAPTION;
    if (!child && !(dwStyle & WS_POPUP)) {
        // The platform picks the place and size of overlapped windows that ask for the default.
        if (X == CW_USEDEFAULT) {
            X = 32;
            Y = 32;
        }
        if (nWidth == CW_USEDEFAULT) {
            nWidth = GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
            nHeight = GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
        }
    }
    if (X == CW_USEDEFAULT)
        X = Y = 0;
    if (nWidth == CW_USEDEFAULT)
        nWidth = nHeight = 0;

    auto* w = new Window;
    HWND hwnd = Allocate(w);
    if (!hwnd) {
        delete w;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    w->handle = hwnd;
    w->cls = cls;
    ++cls->windows;
    w->proc = cls->proc;
    w->style = dwStyle & ~WS_VISIBLE;
    w->exStyle = dwExStyle;
    w->instance = hInstance;
    w->id = reinterpret_cast<LONG_PTR>(hMenu);
    w->parent = parent;
    w->owner = owner;
    w->extra.assign(cls->wndExtra, 0);
    ++w->busy;

    CREATESTRUCTA cs{
        lpParam,      hInstance,   hMenu,    hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
        lpWindowName, lpClassName, dwExStyle};
    auto fail = [&](bool ncDestroy) -> HWND {
        if (Find(hwnd)) {
            if (ncDestroy)
                Send(w, WM_NCDESTROY, 0, 0);
            if (Find(hwnd))
                Retire(w);
        }
        Release(w);
        return nullptr;
    };
    if (HasHooks(WH_CBT)) {
        CBT_CREATEWNDA cbt{&cs, child ? HWND_BOTTOM : HWND_TOP};
        if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt)))
            return fail(false);
        if (!Find(hwnd))
            return fail(false);
    }
    int cx = std::max(cs.cx, 0);
    int cy = std::max(cs.cy, 0);
    if ((w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO info;
        FillMinMaxInfo(w, info);
        Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        if (!Find(hwnd))
            return fail(false);
        cx = std::max(std::min(cx, static_cast<int>(info.ptMaxTrackSize.x)),
                      static_cast<int>(info.ptMinTrackSize.x));
        cy = std::max(std::min(cy, static_cast<int>(info.ptMaxTrackSize.y)),
                      static_cast<int>(info.ptMinTrackSize.y));
    }
    w->rect = RECT{cs.x, cs.y, cs.x + cx, cs.y + cy};
    w->client = w->rect;
    w->normal = w->rect;

    if (!Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)))
        return fail(true);
    if (!Find(hwnd))
        return fail(false);
    InitScrollBars(w);
    Link(w, child ? parent->lastChild : nullptr);
    RECT client = w->rect;
    Send(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    if (!Find(hwnd))
        return fail(false);
    w->client = client;
    if (Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (Find(hwnd))
            DestroyTree(w);
        Release(w);
        return nullptr;
    }
    if (!Find(hwnd))
        return fail(false);
    Send(w, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
    if (Find(hwnd))
        Send(w, WM_MOVE, 0, MAKELPARAM(w->client.left, w->client.top));
    if (Find(hwnd)) {
        w->created = true;
        if (child)
            NotifyParents(w, MAKEWPARAM(WM_CREATE, w->id), reinterpret_cast<LPARAM>(hwnd));
    }
    if (Find(hwnd) && (dwStyle & WS_VISIBLE))
        ShowWindow(hwnd, SW_SHOW);
    bool alive = Find(hwnd) != nullptr;
    Release(w);
    return alive ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    if (w == Desktop() || w == MessageRoot()) {
        SetLastError(kErrorAccessDenied);
        return FALSE;
    }
    return DestroyTree(w) ? TRUE : FALSE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    return Find(hWnd) ? TRUE : FALSE;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    Window* parent = Find(hWndParent);
    Window* w = Find(hWnd);
    if (!parent || !w)
        return FALSE;
    for (; w && IsChildWindow(w); w = w->parent) {
        if (w->parent == parent)
            return TRUE;
    }
    return FALSE;
}

HWND WINAPI GetParent(HWND hWnd) {
    Window* w = Check(hWnd);
    if (!w)
        return nullptr;
    if (IsChildWindow(w))
        return w->parent && w->parent != Desktop() ? w->parent->handle : nullptr;
    if ((w->style & WS_POPUP) && w->owner)
        return w->owner->handle;
    return nullptr;
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
    Window* w = Check(hWndChild);
    if (!w)
        return nullptr;
    Window* parent =
        hWndNewParent ? (hWndNewParent == HWND_MESSAGE ? MessageRoot() : Check(hWndNewParent)) : Desktop();
    if (!parent)
        return nullptr;
    if (w == Desktop() || w == MessageRoot() || IsDescendant(w, parent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Window* old = w->parent;
    if (old != parent) {
        bool visible = (w->style & WS_VISIBLE) != 0;
        if (visible)
            SetPosition(w, nullptr, 0, 0, 0, 0,
                        SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!Find(hWndChild))
            return nullptr;
        Unlink(w);
        w->parent = parent;
        Link(w, nullptr);
        if (visible)
            SetPosition(w, nullptr, 0, 0, 0, 0,
                        SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return old->handle;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
    Window* w = Check(hwnd);
    if (!w || w == Desktop() || w == MessageRoot())
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return w->parent->handle;
    case GA_ROOT:
        return Root(w)->handle;
    case GA_ROOTOWNER: {
        Window* r = Root(w);
        while (r->owner)
            r = r->owner;
        return r->handle;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    Window* w = Check(hWnd);
    if (!w)
        return nullptr;
    Window* r = nullptr;
    switch (uCmd) {
    case GW_HWNDFIRST:
        r = w->parent ? w->parent->firstChild : w;
        break;
    case GW_HWNDLAST:
        r = w->parent ? w->parent->lastChild : w;
        break;
    case GW_HWNDNEXT:
        r = w->next;
        break;
    case GW_HWNDPREV:
        r = w->prev;
        break;
    case GW_OWNER:
        r = w->owner;
        break;
    case GW_CHILD:
        r = w->firstChild;
        break;
    case GW_ENABLEDPOPUP:
        for (HWND top : TopLevelWindows()) {
            Window* t = Find(top);
            if (t->owner == w && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED))
                return top;
        }
        return nullptr;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return r ? r->handle : nullptr;
}

HWND WINAPI GetTopWindow(HWND hWnd) {
    Window* w = hWnd ? Check(hWnd) : Desktop();
    if (!w)
        return nullptr;
    return w->firstChild ? w->firstChild->handle : nullptr;
}

HWND WINAPI GetDesktopWindow(void) {
    return Desktop()->handle;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    Window* w = Check(hDlg);
    if (!w)
        return nullptr;
    for (Window* c = w->firstChild; c; c = c->next) {
        if (static_cast<int>(c->id) == nIDDlgItem)
            return c->handle;
    }
    SetLastError(kErrorControlIdNotFound);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    Window* w = Check(hWnd);
    return w ? static_cast<int>(w->id) : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SendMessageA(item, Msg, wParam, lParam) : 0;
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    return static_cast<LONG>(GetLong(hWnd, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    return GetLong(hWnd, nIndex, sizeof(LONG_PTR));
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (lpString && nMaxCount > 0)
        lpString[0] = '\0';
    Window* w = Check(hWnd);
    if (!w || !lpString || nMaxCount <= 0)
        return 0;
    return static_cast<int>(Send(w, WM_GETTEXT, nMaxCount, reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
    Window* w = Check(hWnd);
    return w ? static_cast<int>(Send(w, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    Window* w = Check(hWnd);
    return w ? static_cast<BOOL>(Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString))) : FALSE;
}

BOOL WINAPI SetPropA(HWND hWnd, LPCSTR lpString, HANDLE hData) {
    Window* w = Check(hWnd);
    if (!w || !lpString) {
        if (w)
            SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string key = PropKey(lpString);
    for (auto& prop : w->props) {
        if (prop.first == key) {
            prop.second = hData;
            return TRUE;
        }
    }
    w->props.emplace_back(std::move(key), hData);
    return TRUE;
}

HANDLE WINAPI GetPropA(HWND hWnd, LPCSTR lpString) {
    Window* w = Find(hWnd);
    if (!w || !lpString)
        return nullptr;
    std::string key = PropKey(lpString);
    for (auto& prop : w->props) {
        if (prop.first == key)
            return prop.second;
    }
    return nullptr;
}

HANDLE WINAPI RemovePropA(HWND hWnd, LPCSTR lpString) {
    Window* w = Check(hWnd);
    if (!w || !lpString)
        return nullptr;
    std::string key = PropKey(lpString);
    for (auto it = w->props.begin(); it != w->props.end(); ++it) {
        if (it->first == key) {
            HANDLE data = it->second;
            w->props.erase(it);
            return data;
        }
    }
    return nullptr;
}

DWORD WINAPI GetCurrentThreadId(void) {
    return kThreadId;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    if (!Check(hWnd))
        return 0;
    if (lpdwProcessId)
        *lpdwProcessId = static_cast<DWORD>(getpid());
    return kThreadId;
}
