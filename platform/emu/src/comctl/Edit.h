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

// Grey for a read-only or disabled edit, as the system's colours give it.
COLORREF EditBackColor(HWND hwnd);
// The client area: the text scrolled so that the caret shows, the selection and the caret while focused.
void PaintEdit(HWND hwnd, HDC dc, HFONT font, const EditView& view);

} // namespace emu::comctl
