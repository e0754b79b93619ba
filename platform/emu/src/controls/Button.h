// The button control (window class "Button"): what its painting needs to know of a button.
#pragma once

#include <windows.h>

namespace emu::controls {

struct ButtonLook {
    UINT type;    // BS_PUSHBUTTON ... (BS_TYPEMASK)
    UINT check;   // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    bool pushed;  // pressed down (BST_PUSHED)
    bool focused; // has the focus (BST_FOCUS)
    HFONT font;
};

// Check boxes and radio buttons, the types that have a check state.
bool HasCheck(UINT type);

// The client area: push buttons with their raised or pressed face, the default button's frame and the
// focus rectangle; check boxes and radio buttons in each state with their text; group boxes.
void PaintButton(HWND hwnd, HDC dc, const ButtonLook& look);

} // namespace emu::controls
