// Window classes: registration per module, global classes, and the class information functions.
#include "core/Core.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace emu::core {
namespace {

std::vector<std::unique_ptr<WndClass>>& Classes() {
    static std::vector<std::unique_ptr<WndClass>> classes;
    return classes;
}

ATOM& NextAtom() {
    static ATOM atom = 0xC000;
    return atom;
}

bool SameName(const WndClass& cls, LPCSTR name) {
    if (IS_INTRESOURCE(name))
        return cls.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    return EqualNoCase(cls.name, name);
}

HINSTANCE OrExecutable(HINSTANCE instance) {
    return instance ? instance : GetModuleHandleA(nullptr);
}

std::vector<void (*)()>& SystemRegistrations() {
    static std::vector<void (*)()> registrations;
    return registrations;
}

void RegisterSystemClasses() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    for (auto registerClasses : SystemRegistrations())
        registerClasses();
}

// The search order of the platform: the module's own classes, then global classes.
WndClass* Lookup(LPCSTR name, HINSTANCE instance) {
    if (!name)
        return nullptr;
    RegisterSystemClasses();
    instance = OrExecutable(instance);
    WndClass* global = nullptr;
    for (auto& cls : Classes()) {
        if (cls->unregistered || !SameName(*cls, name))
            continue;
        if (cls->instance == instance && !(cls->style & CS_GLOBALCLASS))
            return cls.get();
        if ((cls->style & CS_GLOBALCLASS) && !global)
            global = cls.get();
    }
    return global;
}

ATOM Register(UINT style, WNDPROC proc, int clsExtra, int wndExtra, HINSTANCE instance, HICON icon,
              HICON iconSm, HCURSOR cursor, HBRUSH background, LPCSTR menuName, LPCSTR className) {
    if (!className || IS_INTRESOURCE(className) || !*className || clsExtra < 0 || wndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    instance = OrExecutable(instance);
    for (auto& cls : Classes()) {
        if (cls->unregistered || !SameName(*cls, className))
            continue;
        bool clash = (style & CS_GLOBALCLASS) ? (cls->style & CS_GLOBALCLASS) || cls->instance == instance
                                              : cls->instance == instance && !(cls->style & CS_GLOBALCLASS);
        if (clash) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto cls = std::make_unique<WndClass>();
    cls->atom = NextAtom();
    NextAtom() = NextAtom() == 0xFFFF ? 0xC000 : NextAtom() + 1;
    cls->name = className;
    cls->style = style;
    cls->proc = proc;
    cls->clsExtra = clsExtra;
    cls->wndExtra = wndExtra;
    cls->instance = instance;
    cls->icon = icon;
    cls->iconSm = iconSm;
    cls->cursor = cursor;
    cls->background = background;
    if (menuName && !IS_INTRESOURCE(menuName)) {
        cls->menuNameText = menuName;
        cls->menuName = cls->menuNameText.c_str();
    } else {
        cls->menuName = menuName;
    }
    cls->extra.assign(clsExtra, 0);
    ATOM atom = cls->atom;
    Classes().push_back(std::move(cls));
    return atom;
}

void Erase(WndClass* cls) {
    auto& all = Classes();
    all.erase(std::remove_if(all.begin(), all.end(), [cls](const auto& c) { return c.get() == cls; }),
              all.end());
}

void FillInfo(const WndClass& cls, WNDCLASSEXA& wc) {
    wc.style = cls.style;
    wc.lpfnWndProc = cls.proc;
    wc.cbClsExtra = cls.clsExtra;
    wc.cbWndExtra = cls.wndExtra;
    wc.hInstance = cls.instance;
    wc.hIcon = cls.icon;
    wc.hCursor = cls.cursor;
    wc.hbrBackground = cls.background;
    wc.lpszMenuName = cls.menuName;
    wc.lpszClassName = cls.name.c_str();
    wc.hIconSm = cls.iconSm;
}

WndClass* InfoLookup(HINSTANCE instance, LPCSTR name) {
    WndClass* cls = Lookup(name, instance);
    if (!cls)
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return cls;
}

} // namespace

SystemClasses::SystemClasses(void (*registerClasses)()) {
    SystemRegistrations().push_back(registerClasses);
}

HINSTANCE SystemModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&RegisterSystemClasses), &module);
    return module;
}

WndClass* FindClassForCreate(LPCSTR name, HINSTANCE instance) {
    return Lookup(name, instance);
}

void ReleaseClass(WndClass* cls) {
    if (--cls->windows == 0 && cls->unregistered)
        Erase(cls);
}

void UnregisterClassesExcept(HMODULE keep) {
    for (auto& cls : Classes()) {
        if (cls->instance != keep)
            cls->unregistered = true;
    }
    auto& all = Classes();
    all.erase(
        std::remove_if(all.begin(), all.end(), [](const auto& c) { return c->unregistered && !c->windows; }),
        all.end());
}

} // namespace emu::core

using namespace emu::core;

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon,
                    nullptr, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName);
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon,
                    wc->hIconSm, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
    HINSTANCE instance = OrExecutable(hInstance);
    for (auto& cls : Classes()) {
        if (cls->unregistered || !SameName(*cls, lpClassName) || cls->instance != instance)
            continue;
        if (cls->windows) {
            SetLastError(kErrorClassHasWindows);
            return FALSE;
        }
        Erase(cls.get());
        return TRUE;
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    WndClass* cls = InfoLookup(hInstance, lpszClass);
    if (!cls || !lpwcx)
        return FALSE;
    FillInfo(*cls, *lpwcx);
    return cls->atom;
}

BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    WndClass* cls = InfoLookup(hInstance, lpClassName);
    if (!cls || !lpWndClass)
        return FALSE;
    WNDCLASSEXA ex{};
    FillInfo(*cls, ex);
    lpWndClass->style = ex.style;
    lpWndClass->lpfnWndProc = ex.lpfnWndProc;
    lpWndClass->cbClsExtra = ex.cbClsExtra;
    lpWndClass->cbWndExtra = ex.cbWndExtra;
    lpWndClass->hInstance = ex.hInstance;
    lpWndClass->hIcon = ex.hIcon;
    lpWndClass->hCursor = ex.hCursor;
    lpWndClass->hbrBackground = ex.hbrBackground;
    lpWndClass->lpszMenuName = ex.lpszMenuName;
    lpWndClass->lpszClassName = ex.lpszClassName;
    return TRUE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    Window* w = Check(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0)
        return 0;
    return CopyText(w->cls->name, lpClassName, nMaxCount);
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hWnd, int nIndex) {
    Window* w = Check(hWnd);
    if (!w)
        return 0;
    const WndClass& cls = *w->cls;
    if (nIndex >= 0) {
        if (static_cast<size_t>(nIndex) + sizeof(ULONG_PTR) > cls.extra.size()) {
            SetLastError(kErrorInvalidIndex);
            return 0;
        }
        ULONG_PTR value;
        std::memcpy(&value, cls.extra.data() + nIndex, sizeof(value));
        return value;
    }
    switch (nIndex) {
    case GCL_STYLE:
        return cls.style;
    case GCLP_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(cls.proc);
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(cls.background);
    case GCLP_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(cls.cursor);
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(cls.icon);
    case GCLP_HICONSM:
        return reinterpret_cast<ULONG_PTR>(cls.iconSm);
    case GCLP_HMODULE:
        return reinterpret_cast<ULONG_PTR>(cls.instance);
    case GCLP_MENUNAME:
        return reinterpret_cast<ULONG_PTR>(cls.menuName);
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(cls.wndExtra);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(cls.clsExtra);
    case GCW_ATOM:
        return cls.atom;
    default:
        SetLastError(kErrorInvalidIndex);
        return 0;
    }
}

DWORD WINAPI GetClassLongA(HWND hWnd, int nIndex) {
    Window* w = Check(hWnd);
    if (!w)
        return 0;
    if (nIndex >= 0) {
        if (static_cast<size_t>(nIndex) + sizeof(DWORD) > w->cls->extra.size()) {
            SetLastError(kErrorInvalidIndex);
            return 0;
        }
        DWORD value;
        std::memcpy(&value, w->cls->extra.data() + nIndex, sizeof(value));
        return value;
    }
    return static_cast<DWORD>(GetClassLongPtrA(hWnd, nIndex));
}
