// Painting the single-line edit control: its text, the selection and, while it has the focus, the caret.
// The background and the text's colour are the parent's (WM_CTLCOLOREDIT; WM_CTLCOLORSTATIC when read-only
// or disabled, as the platform asks), the selection's the system's.
#include "Edit.h"

#include "../render/Render.h"

#include <algorithm>

namespace emu::comctl {

namespace {

constexpr int Margin = 1;

} // namespace

HBRUSH EditBrush(HWND hwnd, HDC dc) {
    bool grey = (GetWindowLongA(hwnd, GWL_STYLE) & (ES_READONLY | WS_DISABLED)) != 0;
    HWND parent = GetParent(hwnd);
    int back = grey ? COLOR_3DFACE : COLOR_WINDOW;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
    auto brush = reinterpret_cast<HBRUSH>(
        parent ? SendMessageA(parent, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                              reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd))
               : 0);
    return brush ? brush : GetSysColorBrush(back);
}

void PaintEdit(HWND hwnd, HDC dc, HFONT font, const EditView& view) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, EditBrush(hwnd, dc));
    COLORREF ink = GetTextColor(dc);
    HGDIOBJ oldFont =
        SelectObject(dc, font && GetObjectType(font) == OBJ_FONT ? font : GetStockObject(DEFAULT_GUI_FONT));
    // Scrolled just far enough that the caret shows.
    auto columns =
        static_cast<size_t>(std::max(0, static_cast<int>(client.right - 1 - Margin) / EMU_FONT_CHAR_WIDTH));
    size_t first = view.caret > columns ? view.caret - columns : 0;
    int top = std::max(0, static_cast<int>(client.bottom - EMU_FONT_HEIGHT) / 2);
    bool focused = GetFocus() == hwnd;
    bool disabled = GetWindowLongA(hwnd, GWL_STYLE) & WS_DISABLED;
    SetBkMode(dc, TRANSPARENT);
    for (size_t k = first; k < view.text.size(); ++k) {
        int x = Margin + static_cast<int>(k - first) * EMU_FONT_CHAR_WIDTH;
        if (x >= client.right)
            break;
        bool selected = focused && k >= view.selStart && k < view.selEnd;
        if (selected)
            render::FillSolid(dc, RECT{x, top, x + EMU_FONT_CHAR_WIDTH, top + EMU_FONT_HEIGHT},
                              GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, selected   ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                         : disabled ? GetSysColor(COLOR_GRAYTEXT)
                                    : ink);
        TextOutA(dc, x, top, &view.text[k], 1);
    }
    if (focused && view.selStart == view.selEnd) {
        int x = Margin + static_cast<int>(view.caret - first) * EMU_FONT_CHAR_WIDTH;
        render::FillSolid(dc, RECT{x, top, x + 1, top + EMU_FONT_HEIGHT}, GetSysColor(COLOR_WINDOWTEXT));
    }
    SelectObject(dc, oldFont);
}

} // namespace emu::comctl
