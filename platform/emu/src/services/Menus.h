// Menu objects behind HMENU handles, shared by the menu functions and popup-menu tracking.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace emu::detail {

// The MF_ bits that a menu item keeps.
constexpr UINT keptFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR | MF_MENUBARBREAK |
                           MF_MENUBREAK | MF_BITMAP | MF_OWNERDRAW | MF_HELP;

struct MenuItem {
    UINT flags; // MF_ type and state bits (MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED ...)
    UINT id;    // for a popup item its submenu's handle value, as Windows keeps it
    HMENU submenu;
    std::string text;
};

struct Menu {
    bool popup;
    std::vector<MenuItem> items;
};

Menu* FindMenu(HMENU handle);

struct MenuItemRef {
    HMENU menu; // the menu holding the item
    size_t position;
};
// An item by position (MF_BYPOSITION) or by command, searching submenus depth first.
std::optional<MenuItemRef> FindMenuItem(HMENU menu, UINT item, UINT flags);
MenuItem* ItemOf(const MenuItemRef& ref);

} // namespace emu::detail
