// Answers that a person would give in modal user interface, and the record of what was shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace emu {

struct PopupMenuShown {
    HMENU menu;
    POINT screen;
    HWND owner;
    UINT flags;
};
// Returns the command ID that the user picks, or 0 to dismiss the menu. Without a responder every menu is
// dismissed.
using MenuResponder = std::function<UINT(const PopupMenuShown&)>;
void SetMenuResponder(MenuResponder responder);
const std::vector<PopupMenuShown>& PopupMenusShown();

struct MessageBoxShown {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int answer;
};
// Returns the button the user presses (IDOK, IDCANCEL, ...). Without a responder the box's default button
// is pressed.
using MessageBoxResponder = std::function<int(const MessageBoxShown&)>;
void SetMessageBoxResponder(MessageBoxResponder responder);
const std::vector<MessageBoxShown>& MessageBoxesShown();

} // namespace emu
