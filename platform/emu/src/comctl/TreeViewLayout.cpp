// Rows, regions, hit testing and scrolling of the tree view.
//
// Each row is, left to right: the indent (one indent step per level, and one more for top-level items when
// lines or buttons are drawn at the root), the button column (one indent wide), the state image (only when
// the item has a state image index and a state image list is set), the normal image (when a normal image
// list is set), the label (6 pixels per character plus 4), and the space right of it.
#include "TreeView.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace emu::comctl {

namespace {
int ImageWidth(HIMAGELIST list) {
    int cx = 0, cy = 0;
    return list && ImageList_GetIconSize(list, &cx, &cy) ? cx : 0;
}
int ImageHeight(HIMAGELIST list) {
    int cx = 0, cy = 0;
    return list && ImageList_GetIconSize(list, &cx, &cy) ? cy : 0;
}
bool LinesAtRoot(DWORD style) {
    return (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
}
} // namespace

int32_t TreeView::KeyOf(Index i) const {
    const Item& it = At(i);
    int stateWidth = (it.state & TVIS_STATEIMAGEMASK) ? ImageWidth(m_state) : 0;
    int textWidth = (it.flags & TextCallback) ? 0 : static_cast<int>(it.text.size()) * EMU_FONT_CHAR_WIDTH;
    return static_cast<int32_t>(m_indent * static_cast<int>(it.depth) + stateWidth + textWidth);
}

void TreeView::UpdateKey(Index i) {
    At(i).key = KeyOf(i);
    S().Propagate(i);
    if (Shown(i))
        Changed();
}

// Recomputes every item's key and every sum, children before parents (after a change of indent or of the
// state images, which moves every row).
void TreeView::ApplyKeys() {
    S().Flush();
    std::vector<Index> order, stack{m_root};
    while (!stack.empty()) {
        Index n = stack.back();
        stack.pop_back();
        order.push_back(n);
        for (Index c = At(n).first; c; c = At(c).next)
            stack.push_back(c);
    }
    std::vector<std::pair<Index, bool>> treap;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Index n = *it;
        if (At(n).childRoot) {
            treap.assign(1, {At(n).childRoot, false});
            while (!treap.empty()) {
                auto [t, done] = treap.back();
                treap.pop_back();
                if (done) {
                    S().Pull(t);
                    continue;
                }
                treap.push_back({t, true});
                if (At(t).left)
                    treap.push_back({At(t).left, false});
                if (At(t).right)
                    treap.push_back({At(t).right, false});
            }
        }
        if (n != m_root)
            At(n).key = KeyOf(n);
        S().PullBranch(n);
    }
}

int TreeView::LabelWidth(Index i) {
    if (!(At(i).flags & TextCallback))
        return static_cast<int>(At(i).text.size()) * EMU_FONT_CHAR_WIDTH;
    char buffer[260] = "";
    TVITEMA answer{};
    answer.pszText = buffer;
    answer.cchTextMax = sizeof buffer;
    if (!DispInfo(i, TVIF_TEXT, answer))
        return 0;
    return static_cast<int>(strlen(answer.pszText)) * EMU_FONT_CHAR_WIDTH;
}

TreeView::Layout TreeView::LayoutOf(Index i) {
    int labelWidth = LabelWidth(i);
    return LayoutOf(i, labelWidth);
}

TreeView::Layout TreeView::LayoutOf(Index i, int labelWidth) {
    const Item& it = At(i);
    Layout l;
    int level = static_cast<int>(it.depth) - (LinesAtRoot(Style()) ? 0 : 1);
    l.button = m_indent * level;
    l.stateIcon = l.button + m_indent;
    l.icon = l.stateIcon + ((it.state & TVIS_STATEIMAGEMASK) ? ImageWidth(m_state) : 0);
    l.label = l.icon + ImageWidth(m_normal);
    l.right = l.label + labelWidth + 4;
    return l;
}

int TreeView::ContentWidth() const {
    if (!TotalRows())
        return 0;
    int uniform = (LinesAtRoot(Style()) ? 0 : -m_indent) + m_indent + ImageWidth(m_normal) + 4;
    return uniform + At(m_root).branchKey;
}

uint32_t TreeView::PageRows() const {
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    return rc.bottom > 0 ? static_cast<uint32_t>(rc.bottom / m_itemHeight) : 0;
}

uint32_t TreeView::TopRow() {
    return m_top ? S().RowOf(m_top, m_root) : 0;
}

void TreeView::SetTopRow(uint32_t row) {
    uint32_t rows = TotalRows(), page = PageRows();
    uint32_t maxTop = rows > page ? rows - page : 0;
    row = std::min(row, maxTop);
    Index top = rows ? S().AtRow(m_root, row) : 0;
    if (top == m_top)
        return;
    m_top = top;
    if (Style() & WS_VSCROLL) {
        SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, static_cast<int>(row), 0};
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }
    Invalidate();
}

void TreeView::SetScrollX(int x) {
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    x = std::max(0, std::min(x, ContentWidth() - rc.right));
    if (x == m_scrollX)
        return;
    m_scrollX = x;
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, x, 0};
    SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
    Invalidate();
}

void TreeView::Invalidate() {
    if (!m_invalid && m_redraw && !m_destroyed) {
        m_invalid = true;
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
}

void TreeView::Changed() {
    if (!m_redraw || m_destroyed)
        return;
    UpdateScrollBars();
    Invalidate();
}

// Shows the scroll bars that the rows and the widest row need, and clamps the scroll positions. Showing a
// bar shrinks the client area, which may call for the other bar, so this settles over a few passes.
void TreeView::UpdateScrollBars() {
    if (m_inScrollUpdate || m_destroyed)
        return;
    m_inScrollUpdate = true;
    int cxv = GetSystemMetrics(SM_CXVSCROLL), cyh = GetSystemMetrics(SM_CYHSCROLL);
    uint32_t rows = TotalRows();
    int width = ContentWidth();
    bool v = false, h = false;
    RECT rc{};
    for (int pass = 0; pass < 3; ++pass) {
        DWORD style = Style();
        GetClientRect(m_hwnd, &rc);
        int fullW = rc.right + ((style & WS_VSCROLL) ? cxv : 0);
        int fullH = rc.bottom + ((style & WS_HSCROLL) ? cyh : 0);
        bool allowV = !(style & TVS_NOSCROLL), allowH = !(style & (TVS_NOSCROLL | TVS_NOHSCROLL));
        for (int k = 0; k < 2; ++k) {
            v = allowV && int64_t(rows) * m_itemHeight > fullH - (h ? cyh : 0);
            h = allowH && width > fullW - (v ? cxv : 0);
        }
        bool haveV = style & WS_VSCROLL, haveH = style & WS_HSCROLL;
        if (v == haveV && h == haveH)
            break;
        if (v != haveV)
            ShowScrollBar(m_hwnd, SB_VERT, v);
        if (h != haveH)
            ShowScrollBar(m_hwnd, SB_HORZ, h);
        if (m_destroyed)
            break;
    }
    if (!m_destroyed) {
        GetClientRect(m_hwnd, &rc);
        uint32_t page = rc.bottom > 0 ? static_cast<uint32_t>(rc.bottom / m_itemHeight) : 0;
        uint32_t maxTop = v && rows > page ? rows - page : 0;
        uint32_t top = m_top ? S().RowOf(m_top, m_root) : 0;
        if (top > maxTop || !m_top) {
            top = std::min(top, maxTop);
            m_top = rows ? S().AtRow(m_root, top) : 0;
        }
        if (v) {
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, static_cast<int>(rows - 1),
                          page,      static_cast<int>(top),          0};
            SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
        }
        int maxX = h ? std::max(0, width - static_cast<int>(rc.right)) : 0;
        m_scrollX = std::min(m_scrollX, maxX);
        if (h) {
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0,
                          width - 1, static_cast<UINT>(rc.right),    m_scrollX,
                          0};
            SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
        }
    }
    m_inScrollUpdate = false;
}

TreeView::Hit TreeView::HitTest(POINT pt) {
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    UINT outside = 0;
    if (pt.x < 0)
        outside |= TVHT_TOLEFT;
    else if (pt.x >= rc.right)
        outside |= TVHT_TORIGHT;
    if (pt.y < 0)
        outside |= TVHT_ABOVE;
    else if (pt.y >= rc.bottom)
        outside |= TVHT_BELOW;
    if (outside)
        return {0, outside};
    uint64_t row = uint64_t(TopRow()) + static_cast<uint32_t>(pt.y / m_itemHeight);
    if (row >= TotalRows())
        return {0, TVHT_NOWHERE};
    Index i = S().AtRow(m_root, static_cast<uint32_t>(row));
    HTREEITEM h = H(i);
    Layout l = LayoutOf(i);
    if (Dead() || !(i = Own(h)))
        return {0, TVHT_NOWHERE};
    int x = pt.x + m_scrollX;
    UINT flags;
    if (x < l.button)
        flags = TVHT_ONITEMINDENT;
    else if (x < l.stateIcon)
        flags = (Style() & TVS_HASBUTTONS) && HasChildren(i) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    else if (x < l.icon)
        flags = TVHT_ONITEMSTATEICON;
    else if (x < l.label)
        flags = TVHT_ONITEMICON;
    else if (x < l.right)
        flags = TVHT_ONITEMLABEL;
    else
        flags = TVHT_ONITEMRIGHT;
    if (Dead() || !(i = Own(h)))
        return {0, TVHT_NOWHERE};
    return {i, flags};
}

BOOL TreeView::GetItemRect(BOOL textOnly, RECT* rc) {
    if (!rc)
        return FALSE;
    HTREEITEM h;
    memcpy(&h, rc, sizeof h);
    Index i = Own(h);
    if (!i || !Shown(i))
        return FALSE;
    int64_t row = int64_t(S().RowOf(i, m_root)) - int64_t(TopRow());
    RECT client{};
    GetClientRect(m_hwnd, &client);
    LONG top = static_cast<LONG>(row * m_itemHeight);
    if (textOnly) {
        Layout l = LayoutOf(i);
        if (Dead() || !Own(h))
            return FALSE;
        *rc = RECT{l.label - m_scrollX, top, l.right - m_scrollX, top + m_itemHeight};
    } else {
        *rc = RECT{0, top, client.right, top + m_itemHeight};
    }
    return TRUE;
}

// Expands the item's ancestors and scrolls the item into view. Non-zero when it had to scroll and no
// item was expanded, as documented.
BOOL TreeView::EnsureVisible(HTREEITEM h) {
    Index i = Own(h);
    if (!i)
        return FALSE;
    bool expanded = !Shown(i);
    if (expanded && !RevealAncestors(i))
        return FALSE;
    if (!(i = Own(h)) || !Shown(i))
        return FALSE;
    return ScrollIntoView(i) && !expanded;
}

// Scrolls the least that brings the shown item i into the window; true when it scrolled.
bool TreeView::ScrollIntoView(Index i) {
    uint32_t row = S().RowOf(i, m_root), top = TopRow(), page = std::max<uint32_t>(1, PageRows());
    if (row < top)
        SetTopRow(row);
    else if (row >= top + page)
        SetTopRow(row - page + 1);
    else
        return false;
    return true;
}

void TreeView::OnVScroll(UINT code, int thumb) {
    if (!(Style() & WS_VSCROLL))
        return;
    uint32_t rows = TotalRows(), page = std::max<uint32_t>(1, PageRows());
    int64_t top = TopRow(), target = top;
    switch (code) {
    case SB_LINEUP:
        target = top - 1;
        break;
    case SB_LINEDOWN:
        target = top + 1;
        break;
    case SB_PAGEUP:
        target = top - page;
        break;
    case SB_PAGEDOWN:
        target = top + page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        target = thumb;
        break;
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = rows;
        break;
    default:
        return;
    }
    SetTopRow(static_cast<uint32_t>(std::max<int64_t>(0, target)));
}

void TreeView::OnHScroll(UINT code, int thumb) {
    if (!(Style() & WS_HSCROLL))
        return;
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    int x = m_scrollX;
    switch (code) {
    case SB_LINELEFT:
        x -= m_itemHeight;
        break;
    case SB_LINERIGHT:
        x += m_itemHeight;
        break;
    case SB_PAGELEFT:
        x -= rc.right;
        break;
    case SB_PAGERIGHT:
        x += rc.right;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        x = thumb;
        break;
    case SB_LEFT:
        x = 0;
        break;
    case SB_RIGHT:
        x = ContentWidth();
        break;
    default:
        return;
    }
    SetScrollX(x);
}

int TreeView::SetItemHeight(int height) {
    int old = m_itemHeight;
    if (height == -1) {
        m_heightSet = false;
        height = std::max({EMU_FONT_HEIGHT + 3, ImageHeight(m_normal), ImageHeight(m_state)});
        height += height & 1;
    } else {
        m_heightSet = true;
        height = std::max(1, height);
        if (!(Style() & TVS_NONEVENHEIGHT) && height > 1)
            height &= ~1;
    }
    if (height != m_itemHeight) {
        m_itemHeight = height;
        Changed();
    }
    return old;
}

HIMAGELIST TreeView::SetImageList(WPARAM which, HIMAGELIST list) {
    HIMAGELIST old;
    if (which == TVSIL_NORMAL) {
        old = m_normal;
        m_normal = list;
    } else if (which == TVSIL_STATE) {
        old = m_state;
        m_state = list;
        ApplyKeys();
    } else {
        return nullptr;
    }
    if (!m_heightSet) {
        int height = std::max({EMU_FONT_HEIGHT + 3, ImageHeight(m_normal), ImageHeight(m_state)});
        m_itemHeight = height + (height & 1);
    }
    Changed();
    return old;
}

} // namespace emu::comctl
