// Popup menus tracked modally. The owner gets the messages of a shortcut menu: WM_ENTERMENULOOP(TRUE),
// WM_INITMENU and WM_INITMENUPOPUP for the menu, then, for the command the user picks, WM_MENUSELECT for each
// submenu opened on the way (with its WM_INITMENUPOPUP) and for the item; on closing WM_UNINITMENUPOPUP for
// each open popup, innermost first, WM_MENUSELECT(0xFFFF, NULL) and WM_EXITMENULOOP(TRUE). The picked command
// is posted as WM_COMMAND. TPM_NONOTIFY leaves out everything but the menu-loop messages.
#include "Menus.h"

#include "Handles.h"
#include "ResetHooks.h"

#include <emu/Modal.h>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace emu::detail {
namespace {

struct Tracking {
    MenuResponder responder;
    std::vector<PopupMenuShown> shown;
    bool active = false;
    bool ended = false; // EndMenu was called while the menu was open
};

Tracking& State() {
    static auto& state = *new Tracking;
    return state;
}

const ResetHook resetTracking(ResetStage::Services, [] {
    State().responder = nullptr;
    State().shown.clear();
});

struct Step {
    HMENU menu; // the menu holding the item
    UINT position;
};

// The positions leading from menu down to the item with the command ID, outermost first.
bool PathTo(HMENU menu, UINT id, std::vector<Step>& path, int depth) {
    Menu* found = FindMenu(menu);
    if (!found || depth > 64)
        return false;
    for (UINT i = 0; i < found->items.size(); ++i) {
        const MenuItem& item = found->items[i];
        path.push_back({menu, i});
        if (item.flags & MF_POPUP) {
            if (PathTo(item.submenu, id, path, depth + 1))
                return true;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

bool Selectable(const MenuItem* item) {
    return item && !(item->flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_POPUP));
}

// Walks the user's pointer to the command and returns it, or 0 when it cannot be picked.
UINT Select(HWND owner, HMENU menu, UINT id, bool notify, std::vector<HMENU>& open) {
    std::vector<Step> path;
    if (id == 0 || !PathTo(menu, id, path, 0))
        return 0;
    for (const Step& step : path) {
        const MenuItem* item = ItemOf({step.menu, step.position});
        if (!item || !IsWindow(owner))
            return 0;
        UINT flags = (item->flags & 0xFFFF) | MF_HILITE | MF_MOUSESELECT;
        if (!(item->flags & MF_POPUP)) {
            if (!Selectable(item))
                return 0;
            if (notify)
                SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(id, flags),
                             reinterpret_cast<LPARAM>(step.menu));
            break;
        }
        HMENU submenu = item->submenu;
        if (notify) {
            SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(step.position, flags),
                         reinterpret_cast<LPARAM>(step.menu));
            SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu),
                         MAKELPARAM(step.position, FALSE));
        }
        open.push_back(submenu);
    }
    // Handlers may have changed the menu on the way.
    std::vector<Step> again;
    if (State().ended || !IsWindow(owner) || !PathTo(menu, id, again, 0) ||
        !Selectable(ItemOf({again.back().menu, again.back().position})))
        return 0;
    return id;
}

// A menu opened by a button press takes that button's release, and the mouse input queued before it, as the
// menu's own input while it is open: the release never reaches the window under the pointer.
void TakeHeldButtonsRelease() {
    UINT up = GetKeyState(VK_RBUTTON) < 0 ? WM_RBUTTONUP : GetKeyState(VK_LBUTTON) < 0 ? WM_LBUTTONUP : 0;
    MSG msg;
    while (up != 0 && PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
        if (msg.message == up)
            break;
}

} // namespace
} // namespace emu::detail

using namespace emu::detail;

void emu::SetMenuResponder(MenuResponder responder) {
    State().responder = std::move(responder);
}

const std::vector<emu::PopupMenuShown>& emu::PopupMenusShown() {
    return State().shown;
}

BOOL WINAPI TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS) {
    if (!FindMenu(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    Tracking& state = State();
    if (state.active) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    state.active = true;
    state.ended = false;
    bool notify = !(uFlags & TPM_NONOTIFY);

    // The menu takes the mouse capture for as long as it is open.
    if (GetCapture())
        ReleaseCapture();
    SendMessageA(hwnd, WM_ENTERMENULOOP, TRUE, 0);
    if (notify) {
        SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(hMenu), 0);
        SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
    }

    TakeHeldButtonsRelease();
    UINT picked = 0;
    std::vector<HMENU> open{hMenu};
    if (!state.ended && IsWindow(hwnd) && FindMenu(hMenu)) {
        state.shown.push_back({hMenu, {x, y}, hwnd, uFlags});
        UINT answer = state.responder ? state.responder(state.shown.back()) : 0;
        if (!state.ended)
            picked = Select(hwnd, hMenu, answer, notify, open);
    }

    if (notify && IsWindow(hwnd)) {
        for (auto it = open.rbegin(); it != open.rend(); ++it)
            SendMessageA(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(*it), 0);
        SendMessageA(hwnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    }
    SendMessageA(hwnd, WM_EXITMENULOOP, TRUE, 0);
    state.active = false;

    if (uFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(picked);
    if (picked && notify)
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(picked, 0), 0);
    return TRUE;
}

BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL WINAPI EndMenu(void) {
    if (State().active)
        State().ended = true;
    return TRUE;
}
