// The emulated single-line edit control (window class "Edit").
#pragma once

#include <windows.h>

#include <string>

namespace emu::comctl {

void RegisterEditClass(HINSTANCE module);

// What the edit control shows.
struct EditView {
    const std::string& text;
    size_t selStart, selEnd, caret;
};

// The parent's brush for the edit (WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC for a read-only or disabled one),
// with the text colour it sets on the device context.
HBRUSH EditBrush(HWND hwnd, HDC dc);
// The client area: the text scrolled so that the caret shows, the selection and the caret while focused.
void PaintEdit(HWND hwnd, HDC dc, HFONT font, const EditView& view);

} // namespace emu::comctl
