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
// dismissed. An ID that is not in the menu (or its submenus), or is grayed or disabled, dismisses it too.
// Each TrackPopupMenu call is recorded once, after WM_INITMENUPOPUP and before the responder runs.
using MenuResponder = std::function<UINT(const PopupMenuShown&)>;
void SetMenuResponder(MenuResponder responder);
const std::vector<PopupMenuShown>& PopupMenusShown();

struct MessageBoxShown {
    HWND owner;
    std::string text;
    std::string caption; // "Error" for a NULL caption, as Windows shows it
    UINT type;
    int answer; // while the responder runs: the default button
};
// Returns the button the user presses (IDOK, IDCANCEL, ...). Without a responder the box's default button
// is pressed. IDCANCEL on a box with only OK gives IDOK (Escape); a button the box lacks gives the default.
using MessageBoxResponder = std::function<int(const MessageBoxShown&)>;
void SetMessageBoxResponder(MessageBoxResponder responder);
const std::vector<MessageBoxShown>& MessageBoxesShown();

} // namespace emu
