// The system menu: each window's own copy, made the first time GetSystemMenu asks for it, with the items its
// styles allow enabled, and destroyed with the window.
#include "core/Core.h"

#include <map>

namespace emu::core {
namespace {

std::map<HWND, HMENU>& Copies() {
    static std::map<HWND, HMENU> copies;
    return copies;
}

HMENU MakeSystemMenu(const Window* w) {
    HMENU menu = CreatePopupMenu();
    auto state = [](bool enabled) { return enabled ? MF_ENABLED : MF_GRAYED; };
    bool minimized = (w->style & WS_MINIMIZE) != 0, maximized = (w->style & WS_MAXIMIZE) != 0;
    AppendMenuA(menu, MF_STRING | state(minimized || maximized), SC_RESTORE, "&Restore");
    AppendMenuA(menu, MF_STRING | state(!maximized), SC_MOVE, "&Move");
    AppendMenuA(menu, MF_STRING | state((w->style & WS_THICKFRAME) && !maximized), SC_SIZE, "&Size");
    AppendMenuA(menu, MF_STRING | state((w->style & WS_MINIMIZEBOX) && !minimized), SC_MINIMIZE, "Mi&nimize");
    AppendMenuA(menu, MF_STRING | state((w->style & WS_MAXIMIZEBOX) && !maximized), SC_MAXIMIZE, "Ma&ximize");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    return menu;
}

} // namespace

void ForgetSystemMenu(HWND hwnd) {
    auto it = Copies().find(hwnd);
    if (it == Copies().end())
        return;
    DestroyMenu(it->second);
    Copies().erase(it);
}

} // namespace emu::core

using namespace emu::core;

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert) {
    Window* w = Check(hWnd);
    if (!w)
        return nullptr;
    if (bRevert) {
        ForgetSystemMenu(hWnd);
        return nullptr;
    }
    HMENU& copy = Copies()[hWnd];
    if (!IsMenu(copy))
        copy = MakeSystemMenu(w);
    return copy;
}
