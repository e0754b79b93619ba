#include "Menus.h"

#include "Ansi.h"
#include "Handles.h"
#include "ResetHooks.h"

#include <emu/Resources.h>

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace emu::detail {
namespace {

// A popup nested deeper than this in a template is taken as malformed data.
constexpr int maxTemplateDepth = 64;

HandleTable<Menu>& Menus() {
    static auto& menus = *new HandleTable<Menu>(0x30);
    return menus;
}

const ResetHook resetMenus(ResetStage::Services, [] { Menus().Clear(); });

HMENU Add(bool popup) {
    return ToHandle<HMENU>(Menus().Add(Menu{popup, {}}));
}

Menu* FindOrFail(HMENU handle) {
    Menu* menu = FindMenu(handle);
    if (!menu)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

std::optional<MenuItemRef> FindByCommand(HMENU handle, UINT id, int depth) {
    Menu* menu = FindMenu(handle);
    if (!menu || depth > maxTemplateDepth)
        return std::nullopt;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.id == id)
            return MenuItemRef{handle, i};
        if (item.flags & MF_POPUP)
            if (auto found = FindByCommand(item.submenu, id, depth + 1))
                return found;
    }
    return std::nullopt;
}

bool Contains(HMENU outer, HMENU inner, int depth) {
    if (outer == inner)
        return true;
    Menu* menu = FindMenu(outer);
    if (!menu || depth > maxTemplateDepth)
        return false;
    return std::any_of(menu->items.begin(), menu->items.end(), [&](const MenuItem& item) {
        return (item.flags & MF_POPUP) && Contains(item.submenu, inner, depth + 1);
    });
}

// Reads the items of one level of a standard menu template into menu; returns false on malformed data.
bool ReadItems(HMENU menu, const BYTE*& at, size_t& left, int depth) {
    if (depth > maxTemplateDepth)
        return false;
    auto readWord = [&](WORD& value) {
        if (left < 2)
            return false;
        value = static_cast<WORD>(at[0] | at[1] << 8);
        at += 2;
        left -= 2;
        return true;
    };
    for (;;) {
        WORD flags = 0, id = 0;
        if (!readWord(flags) || (!(flags & MF_POPUP) && !readWord(id)))
            return false;
        std::u16string text;
        for (WORD unit;;) {
            if (!readWord(unit))
                return false;
            if (unit == 0)
                break;
            text.push_back(static_cast<char16_t>(unit));
        }
        UINT itemFlags = flags & keptFlags;
        std::string ansi = Utf16ToAnsi(text);
        if (flags & MF_POPUP) {
            HMENU submenu = Add(true);
            AppendMenuA(menu, itemFlags, reinterpret_cast<UINT_PTR>(submenu), ansi.c_str());
            if (!ReadItems(submenu, at, left, depth + 1))
                return false;
        } else if ((flags & MF_SEPARATOR) || (id == 0 && text.empty())) {
            AppendMenuA(menu, itemFlags | MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, itemFlags, id, ansi.c_str());
        }
        if (flags & MF_END)
            return true;
    }
}

// size is SIZE_MAX when the caller does not know it and vouches for the template, as Windows assumes.
HMENU LoadTemplate(const void* data, size_t size) {
    const BYTE* at = static_cast<const BYTE*>(data);
    if (!at || size < 4) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    WORD version = static_cast<WORD>(at[0] | at[1] << 8), offset = static_cast<WORD>(at[2] | at[3] << 8);
    if (version != 0 || size - 4 < offset) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    at += 4 + offset;
    size_t left = size - 4 - offset;
    HMENU menu = Add(false);
    if (!ReadItems(menu, at, left, 0)) {
        DestroyMenu(menu);
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return menu;
}

} // namespace

Menu* FindMenu(HMENU handle) {
    return Menus().Find(FromHandle(handle));
}

std::optional<MenuItemRef> FindMenuItem(HMENU handle, UINT item, UINT flags) {
    Menu* menu = FindOrFail(handle);
    if (!menu)
        return std::nullopt;
    if (flags & MF_BYPOSITION) {
        if (item >= menu->items.size())
            return std::nullopt;
        return MenuItemRef{handle, item};
    }
    return FindByCommand(handle, item, 0);
}

MenuItem* ItemOf(const MenuItemRef& ref) {
    Menu* menu = FindMenu(ref.menu);
    return menu && ref.position < menu->items.size() ? &menu->items[ref.position] : nullptr;
}

} // namespace emu::detail

using namespace emu::detail;

HMENU WINAPI CreateMenu(void) {
    return Add(false);
}

HMENU WINAPI CreatePopupMenu(void) {
    return Add(true);
}

BOOL WINAPI IsMenu(HMENU hMenu) {
    return FindMenu(hMenu) ? TRUE : FALSE;
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    Menu* menu = FindOrFail(hMenu);
    if (!menu)
        return FALSE;
    std::vector<MenuItem> items = std::move(menu->items);
    Menus().Remove(FromHandle(hMenu));
    for (const MenuItem& item : items)
        if ((item.flags & MF_POPUP) && FindMenu(item.submenu))
            DestroyMenu(item.submenu);
    return TRUE;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    Menu* menu = FindOrFail(hMenu);
    if (!menu)
        return FALSE;
    MenuItem item{uFlags & keptFlags, static_cast<UINT>(uIDNewItem), nullptr, {}};
    if (uFlags & MF_POPUP) {
        item.submenu = reinterpret_cast<HMENU>(uIDNewItem);
        if (!FindOrFail(item.submenu))
            return FALSE;
        if (Contains(item.submenu, hMenu, 0)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        item.id = FromHandle(item.submenu);
    }
    if (!(uFlags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && lpNewItem)
        item.text = lpNewItem;
    menu->items.push_back(std::move(item));
    return TRUE;
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
    auto ref = FindMenuItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    if (!ref || nPos < 0)
        return nullptr;
    const MenuItem* item = ItemOf(*ref);
    return (item->flags & MF_POPUP) && FindMenu(item->submenu) ? item->submenu : nullptr;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
    Menu* menu = FindOrFail(hMenu);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    auto ref = FindMenuItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    if (!ref || nPos < 0)
        return static_cast<UINT>(-1);
    const MenuItem* item = ItemOf(*ref);
    return (item->flags & MF_POPUP) ? static_cast<UINT>(-1) : item->id;
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    if (!FindOrFail(hMenu))
        return 0;
    auto ref = FindMenuItem(hMenu, uIDItem, flags);
    if (!ref)
        return 0;
    const std::string& text = ItemOf(*ref)->text;
    if (!lpString || cchMax <= 0)
        return static_cast<int>(text.size());
    size_t count = std::min(text.size(), static_cast<size_t>(cchMax - 1));
    std::memcpy(lpString, text.data(), count);
    lpString[count] = '\0';
    return static_cast<int>(count);
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    auto ref = FindMenuItem(hMenu, uId, uFlags);
    if (!ref)
        return static_cast<UINT>(-1);
    const MenuItem* item = ItemOf(*ref);
    if (item->flags & MF_POPUP) {
        Menu* submenu = FindMenu(item->submenu);
        UINT count = submenu ? static_cast<UINT>(submenu->items.size()) : 0;
        return (count << 8) | (item->flags & 0xFF);
    }
    return item->flags;
}

UINT WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    auto ref = FindMenuItem(hMenu, uIDEnableItem, uEnable);
    if (!ref)
        return static_cast<UINT>(-1);
    MenuItem* item = ItemOf(*ref);
    UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD WINAPI CheckMenuItem(HMENU hmenu, UINT uIDCheckItem, UINT uCheck) {
    auto ref = FindMenuItem(hmenu, uIDCheckItem, uCheck);
    if (!ref)
        return static_cast<DWORD>(-1);
    MenuItem* item = ItemOf(*ref);
    DWORD previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

HMENU WINAPI LoadMenuIndirectA(const void* lpMenuTemplate) {
    return LoadTemplate(lpMenuTemplate, SIZE_MAX);
}

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    HRSRC info = FindResourceA(hInstance, lpMenuName, RT_MENU);
    if (!info)
        return nullptr;
    return LoadTemplate(LockResource(LoadResource(hInstance, info)), SizeofResource(hInstance, info));
}
