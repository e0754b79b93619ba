// Painting the tree view in the classic style: dotted lines, boxed +/- buttons, state and normal images,
// labels, and the selection and drop highlight.
//
// While an item is drop-highlighted the selection is drawn as in a tree without the focus. Callback parts
// of a row are asked for with one TVN_GETDISPINFO per row.
//
// Custom draw, as the platform's conformance test records it: NM_CUSTOMDRAW with CDDS_PREPAINT, then, when
// the parent answered CDRF_NOTIFYITEMDRAW, CDDS_ITEMPREPAINT for each row painted and CDDS_ITEMPOSTPAINT
// after it when that answer asked for it, and CDDS_POSTPAINT last when the first answer asked for it. An
// item's notification carries the label's colours, which the device context also holds; the label is drawn
// in the colours the parent leaves there (clrText, clrTextBk), in the font it selected with CDRF_NEWFONT,
// and not at all with CDRF_SKIPDEFAULT. Before CDDS_ITEMPOSTPAINT the device context gets the tree's own
// colours and font back.
#include "TreeView.h"

#include "../render/Render.h"

#include <emu/ImageListPixels.h>

#include <cstring>
#include <string>

namespace emu::comctl {

namespace {

constexpr int ButtonHalf = 4; // the button box is 9 pixels square

bool LinesAtRoot(DWORD style) {
    return (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
}

} // namespace

// What a row shows, with the callback parts answered.
struct TreeView::Look {
    std::string text;
    int image = -1;
    bool children = false;
};

COLORREF TreeView::BackColor() const {
    return m_bk == CLR_NONE ? GetSysColor(COLOR_WINDOW) : m_bk;
}

LRESULT TreeView::EraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    render::FillSolid(dc, client, BackColor());
    return 1;
}

void TreeView::Paint(HDC dc, const RECT& area) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    HGDIOBJ font = m_font && GetObjectType(m_font) == OBJ_FONT ? m_font : GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ oldFont = SelectObject(dc, font);
    HFONT bold = nullptr;
    NMTVCUSTOMDRAW cd{};
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = client;
    LRESULT want = Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
    if (Dead())
        return;
    uint32_t top = TopRow();
    for (uint32_t row = top; !(want & CDRF_SKIPDEFAULT) && row < TotalRows(); ++row) {
        int y = static_cast<int>(row - top) * m_itemHeight;
        if (y >= client.bottom || y >= area.bottom)
            break;
        if (y + m_itemHeight <= area.top)
            continue;
        if (!PaintRow(dc, S().AtRow(m_root, row), y, bold, (want & CDRF_NOTIFYITEMDRAW) != 0))
            break;
    }
    if (!Dead() && (want & CDRF_NOTIFYPOSTPAINT)) {
        cd = NMTVCUSTOMDRAW{};
        cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
        cd.nmcd.hdc = dc;
        cd.nmcd.rc = client;
        Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
    }
    SelectObject(dc, oldFont);
    if (bold)
        DeleteObject(bold);
}

// False when the tree went away or lost the item while its parent answered.
bool TreeView::LookOf(Index i, Look& look) {
    const Item& it = At(i);
    bool selected = it.state & TVIS_SELECTED;
    UINT ask = 0;
    if (it.flags & TextCallback)
        ask |= TVIF_TEXT;
    if (it.flags & (selected ? SelectedImageCallback : ImageCallback))
        ask |= selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
    if (it.flags & ChildrenCallback)
        ask |= TVIF_CHILDREN;
    look.text = it.text;
    look.image = selected ? it.selectedImage : it.image;
    if (!(it.flags & ChildrenCallback))
        look.children = HasChildren(i);
    if (!ask)
        return true;
    HTREEITEM h = H(i);
    char buffer[260] = "";
    TVITEMA answer{};
    answer.pszText = buffer;
    answer.cchTextMax = sizeof buffer;
    if (!DispInfo(i, ask, answer) || Dead() || !Own(h))
        return false;
    if (ask & TVIF_TEXT)
        look.text = buffer;
    if (ask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE))
        look.image = selected ? answer.iSelectedImage : answer.iImage;
    if (ask & TVIF_CHILDREN)
        look.children = answer.cChildren != 0;
    return true;
}

bool TreeView::PaintRow(HDC dc, Index i, int y, HFONT& bold, bool itemDraw) {
    Look look;
    if (!LookOf(i, look))
        return false;
    DWORD style = Style();
    bool focused = GetFocus() == m_hwnd, dropping = m_drop != 0, selected = At(i).state & TVIS_SELECTED;
    bool active = (At(i).state & TVIS_DROPHILITED) || (selected && focused && !dropping);
    bool inactive = !active && selected && (style & TVS_SHOWSELALWAYS);
    NMTVCUSTOMDRAW cd{};
    cd.clrText = active               ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                 : m_text == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT)
                                      : m_text;
    cd.clrTextBk = GetSysColor(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    if (!active && !inactive)
        cd.clrTextBk = BackColor();
    LRESULT want = CDRF_DODEFAULT;
    HGDIOBJ ownFont = GetCurrentObject(dc, OBJ_FONT);
    COLORREF ownText = GetTextColor(dc), ownBack = GetBkColor(dc);
    if (itemDraw) {
        HTREEITEM h = H(i);
        RECT client{};
        GetClientRect(m_hwnd, &client);
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.hdc = dc;
        cd.nmcd.rc = RECT{0, y, client.right, y + m_itemHeight};
        cd.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(h);
        cd.nmcd.uItemState = (selected ? CDIS_SELECTED : 0) | (focused && i == m_caret ? CDIS_FOCUS : 0);
        cd.nmcd.lItemlParam = At(i).lParam;
        cd.iLevel = static_cast<int>(At(i).depth);
        SetTextColor(dc, cd.clrText);
        SetBkColor(dc, cd.clrTextBk);
        want = Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
        if (Dead() || !Own(h))
            return false;
        if (!(want & CDRF_NEWFONT))
            SelectObject(dc, ownFont);
    }
    if (!(want & CDRF_SKIPDEFAULT))
        PaintRowParts(dc, i, look, y, bold, cd);
    if (itemDraw) {
        SelectObject(dc, ownFont);
        SetTextColor(dc, ownText);
        SetBkColor(dc, ownBack);
        if (want & CDRF_NOTIFYPOSTPAINT) {
            HTREEITEM h = H(i);
            cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
            Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
            if (Dead() || !Own(h))
                return false;
        }
    }
    return true;
}

// The row's lines, button, images and label, the label in the colours of cd and the font selected now.
void TreeView::PaintRowParts(HDC dc, Index i, const Look& look, int y, HFONT& bold,
                             const NMTVCUSTOMDRAW& cd) {
    const Item& it = At(i);
    DWORD style = Style();
    Layout l = LayoutOf(i, static_cast<int>(look.text.size()) * EMU_FONT_CHAR_WIDTH);
    int shift = -m_scrollX, middle = y + m_itemHeight / 2;
    bool column = static_cast<int>(it.depth) >= (LinesAtRoot(style) ? 0 : 1); // a button column of its own

    if (style & TVS_HASLINES)
        PaintLines(dc, i, l, y);
    if ((style & TVS_HASBUTTONS) && look.children && column) {
        int cx = l.button + m_indent / 2 + shift;
        RECT box{cx - ButtonHalf, middle - ButtonHalf, cx + ButtonHalf + 1, middle + ButtonHalf + 1};
        render::FillSolid(dc, box, BackColor());
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT dash{cx - 2, middle, cx + 3, middle + 1};
        COLORREF ink = m_text == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
        render::FillSolid(dc, dash, ink);
        if (!(it.state & TVIS_EXPANDED)) {
            RECT bar{cx, middle - 2, cx + 1, middle + 3};
            render::FillSolid(dc, bar, ink);
        }
    }
    if (UINT stateIndex = (it.state & TVIS_STATEIMAGEMASK) >> 12; stateIndex && m_state)
        PaintImage(dc, m_state, static_cast<int>(stateIndex), l.stateIcon + shift, y);
    if (m_normal)
        PaintImage(dc, m_normal, look.image, l.icon + shift, y);

    bool focused = GetFocus() == m_hwnd, dropping = m_drop != 0;
    RECT label{l.label + shift, y, l.right + shift, y + m_itemHeight};
    if (cd.clrTextBk != CLR_NONE && cd.clrTextBk != CLR_DEFAULT)
        render::FillSolid(dc, label, cd.clrTextBk);
    if ((it.state & TVIS_BOLD) && !bold) {
        LOGFONTA log{};
        GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof log, &log);
        log.lfWeight = FW_BOLD;
        bold = CreateFontIndirectA(&log);
    }
    HGDIOBJ regular = (it.state & TVIS_BOLD) ? SelectObject(dc, bold) : nullptr;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldInk = SetTextColor(dc, cd.clrText);
    TextOutA(dc, label.left + 2, y + (m_itemHeight - EMU_FONT_HEIGHT) / 2, look.text.data(),
             static_cast<int>(look.text.size()));
    SetTextColor(dc, oldInk);
    SetBkMode(dc, oldMode);
    if (regular)
        SelectObject(dc, regular);
    if (focused && i == m_caret && !dropping)
        DrawFocusRect(dc, &label);
}

// Dots on every other pixel: the item's own connector and, through the whole row, the lines of the
// ancestors that have siblings below.
void TreeView::PaintLines(HDC dc, Index i, const Layout& l, int y) {
    COLORREF color = m_line == CLR_DEFAULT ? GetSysColor(COLOR_GRAYTEXT) : m_line;
    int rootLevel = LinesAtRoot(Style()) ? 0 : 1;
    auto dots = [&](int x0, int y0, int x1, int y1) {
        for (int x = x0; x <= x1; ++x)
            for (int yy = y0; yy <= y1; ++yy)
                if ((x + m_scrollX + yy) % 2 == 0)
                    SetPixel(dc, x, yy, color);
    };
    int bottom = y + m_itemHeight - 1, middle = y + m_itemHeight / 2;
    const Item& it = At(i);
    if (static_cast<int>(it.depth) >= rootLevel) {
        int cx = l.button + m_indent / 2 - m_scrollX;
        bool above = it.prev || it.parent != m_root;
        dots(cx, above ? y : middle, cx, it.next ? bottom : middle);
        dots(cx, middle, l.stateIcon - m_scrollX - 1, middle);
    }
    for (Index a = it.parent; a != m_root; a = At(a).parent) {
        int level = static_cast<int>(At(a).depth) - rootLevel;
        if (level < 0)
            break;
        if (At(a).next) {
            int ax = m_indent * level + m_indent / 2 - m_scrollX;
            dots(ax, y, ax, bottom);
        }
    }
}

void TreeView::PaintImage(HDC dc, HIMAGELIST list, int index, int x, int y) {
    int cx = 0, cy = 0;
    std::vector<uint32_t> pixels = ImageListPixels(list, index);
    if (pixels.empty() || !ImageList_GetIconSize(list, &cx, &cy))
        return;
    render::DrawPixels(dc, x, y + (m_itemHeight - cy) / 2, cx, cy, pixels.data());
}

} // namespace emu::comctl
