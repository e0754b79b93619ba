// Answers that a person would give in the platform's own modal user interface, and the record of what was
// shown. The menu or message box really appears; the answer is given as a person would give it: keys
// typed into the menu's own loop, a button pressed on the box.
#include "ApiHooks.h"
#include "Records.h"

#include <emu/Input.h>
#include <emu/Modal.h>

#include <ole2.h>

namespace {

std::vector<emu::PopupMenuShown> g_menus;
std::vector<emu::MessageBoxShown> g_boxes;
emu::MenuResponder g_menuResponder;
emu::MessageBoxResponder g_boxResponder;
HRESULT g_oleInitializeResult = S_OK;

// The keys that pick the command from the menu's loop: Down to each item that is not a separator, up to
// the command's, then Enter. Escape for no command, or one that the menu lacks or that cannot be picked.
void AnswerMenu(HMENU hMenu, UINT id) {
    int steps = 0;
    const int count = GetMenuItemCount(hMenu);
    for (int pos = 0; id != 0 && pos < count; ++pos) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        ++steps;
        if (info.hSubMenu == nullptr && info.wID == id && !(info.fState & MFS_DISABLED)) {
            for (int i = 0; i < steps; ++i)
                emu::PressKey(VK_DOWN);
            emu::PressKey(VK_RETURN);
            return;
        }
    }
    emu::PressKey(VK_ESCAPE);
}

BOOL WINAPI TrackPopupMenuHook(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd,
                               const RECT* prcRect) {
    static const auto track =
        emu::detail::Original<decltype(&TrackPopupMenu)>("user32.dll", "TrackPopupMenu");
    g_menus.push_back({hMenu, {x, y}, hWnd, uFlags});
    // The keys wait in the queue until the menu's loop reads them.
    AnswerMenu(hMenu, g_menuResponder ? g_menuResponder(g_menus.back()) : 0);
    return track(hMenu, uFlags, x, y, nReserved, hWnd, prcRect);
}

// The box's answer, pressed once the box is active: the button asked for, or as Windows treats a button
// the box lacks (Escape on an OK box gives OK; otherwise the default button).
int g_boxAnswer = 0;
HHOOK g_boxHook = nullptr;

LRESULT CALLBACK BoxActivated(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND hBox = reinterpret_cast<HWND>(wParam);
        int answer = g_boxAnswer;
        if (GetDlgItem(hBox, answer) == nullptr)
            answer = answer == IDCANCEL && GetDlgItem(hBox, IDOK) != nullptr
                         ? IDOK
                         : LOWORD(SendMessageA(hBox, DM_GETDEFID, 0, 0));
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hBox, answer)));
    }
    return CallNextHookEx(g_boxHook, code, wParam, lParam);
}

// The button that the box's type makes the default.
int DefaultButton(UINT type) {
    static const int buttons[][3] = {{IDOK, IDOK, IDOK},           {IDOK, IDCANCEL, IDCANCEL},
                                     {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
                                     {IDYES, IDNO, IDNO},          {IDRETRY, IDCANCEL, IDCANCEL}};
    const UINT kind = type & MB_TYPEMASK;
    const UINT which = (type & MB_DEFMASK) >> 8;
    return kind < 6 && which < 3 ? buttons[kind][which] : IDOK;
}

int WINAPI MessageBoxHook(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    static const auto show = emu::detail::Original<decltype(&MessageBoxA)>("user32.dll", "MessageBoxA");
    g_boxes.push_back(
        {hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType, DefaultButton(uType)});
    if (g_boxResponder)
        g_boxes.back().answer = g_boxResponder(g_boxes.back());
    g_boxAnswer = g_boxes.back().answer;
    g_boxHook = SetWindowsHookExA(WH_CBT, BoxActivated, nullptr, GetCurrentThreadId());
    int result = show(hWnd, lpText, lpCaption, uType);
    UnhookWindowsHookEx(g_boxHook);
    g_boxes.back().answer = result;
    return result;
}

HRESULT WINAPI OleInitializeHook(LPVOID pvReserved) {
    static const auto initialize =
        emu::detail::Original<decltype(&OleInitialize)>("ole32.dll", "OleInitialize");
    return g_oleInitializeResult != S_OK ? g_oleInitializeResult : initialize(pvReserved);
}

} // namespace

namespace emu {

// A responder answers through the hooks; a host that never resets the session has them from here on.
void SetMenuResponder(MenuResponder responder) {
    detail::InstallApiHooks();
    g_menuResponder = std::move(responder);
}

const std::vector<PopupMenuShown>& PopupMenusShown() {
    return g_menus;
}

void SetMessageBoxResponder(MessageBoxResponder responder) {
    detail::InstallApiHooks();
    g_boxResponder = std::move(responder);
}

const std::vector<MessageBoxShown>& MessageBoxesShown() {
    return g_boxes;
}

} // namespace emu

namespace emu::detail {

void InstallApiHooks() {
    static const bool installed = [] {
        HookImport("user32.dll", "TrackPopupMenu", reinterpret_cast<void*>(&TrackPopupMenuHook));
        HookImport("user32.dll", "MessageBoxA", reinterpret_cast<void*>(&MessageBoxHook));
        HookImport("ole32.dll", "OleInitialize", reinterpret_cast<void*>(&OleInitializeHook));
        HookModalDialogs();
        return true;
    }();
    (void)installed;
}

void ResetRecords() {
    g_menus.clear();
    g_boxes.clear();
    g_menuResponder = nullptr;
    g_boxResponder = nullptr;
    g_oleInitializeResult = S_OK;
}

void SetForcedOleInitializeResult(HRESULT hr) {
    g_oleInitializeResult = hr;
}

} // namespace emu::detail
