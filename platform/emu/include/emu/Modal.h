// Answers that a person would give in modal user interface, and the record of what was shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace emu {

// A popup menu that TrackPopupMenu showed.
struct PopupMenuShown {
    // The menu shown.
    HMENU menu;
    // Where, in screen coordinates.
    POINT screen;
    // The window that owns the menu and receives its command.
    HWND owner;
    // The TPM_ flags given.
    UINT flags;
};
// Returns the command ID that the user picks, or 0 to dismiss the menu. Without a responder every menu is
// dismissed. An ID that is not in the menu (or its submenus), or is grayed or disabled, dismisses it too.
// Each TrackPopupMenu call is recorded once, after WM_INITMENUPOPUP and before the responder runs.
using MenuResponder = std::function<UINT(const PopupMenuShown&)>;
// Answers every popup menu from now on; an empty responder dismisses them.
void SetMenuResponder(MenuResponder responder);
// The popup menus shown since the last Reset, the earliest first.
const std::vector<PopupMenuShown>& PopupMenusShown();

// A message box that was shown.
struct MessageBoxShown {
    // The owner window given, or NULL.
    HWND owner;
    // The message.
    std::string text;
    std::string caption; // "Error" for a NULL caption, as Windows shows it
    // The MB_ style given.
    UINT type;
    int answer; // while the responder runs: the default button
};
// Returns the button the user presses (IDOK, IDCANCEL, ...). Without a responder the box's default button
// is pressed. IDCANCEL on a box with only OK gives IDOK (Escape); a button the box lacks gives the default.
using MessageBoxResponder = std::function<int(const MessageBoxShown&)>;
// Answers every message box from now on; an empty responder presses the default button.
void SetMessageBoxResponder(MessageBoxResponder responder);
// The message boxes shown since the last Reset, the earliest first, each with the answer it got.
const std::vector<MessageBoxShown>& MessageBoxesShown();

} // namespace emu
