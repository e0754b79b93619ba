// Expansion and selection of tree-view items.
#include "TreeView.h"

#include <vector>

namespace emu::comctl {

namespace {
constexpr UINT ExpandMask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
constexpr UINT SelectMask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
} // namespace

BOOL TreeView::Expand(HTREEITEM h, UINT code) {
    Index i = Own(h);
    if (!i)
        return FALSE;
    switch (code & 3) {
    case TVE_EXPAND:
        return ExpandItem(i, false);
    case TVE_COLLAPSE:
        return CollapseItem(i, false, (code & TVE_COLLAPSERESET) != 0);
    case TVE_TOGGLE:
        return Toggle(i, false);
    default:
        return FALSE;
    }
}

// A message expands with notifications only until the item has been expanded once; the user always
// notifies. An item whose children are promised but not there after TVN_ITEMEXPANDINGA stays collapsed.
bool TreeView::ExpandItem(Index i, bool user) {
    if (!HasChildren(i))
        return false;
    HTREEITEM h = H(i);
    if (!(i = Own(h)))
        return false;
    bool notify = user || !(At(i).state & TVIS_EXPANDEDONCE);
    if (notify) {
        if (NotifyTree(TVN_ITEMEXPANDINGA, TVE_EXPAND, 0, i, ExpandMask))
            return false;
        if (Dead() || !(i = Own(h)))
            return false;
    }
    if (!At(i).first)
        return false;
    if (!(At(i).state & TVIS_EXPANDED)) {
        At(i).state |= TVIS_EXPANDED;
        UpdateShown(i);
        S().PropagateExpanded(i);
        Changed();
    }
    if (notify) {
        NotifyTree(TVN_ITEMEXPANDEDA, TVE_EXPAND, 0, i, ExpandMask);
        if (Dead() || !(i = Own(h)))
            return true;
        At(i).state |= TVIS_EXPANDEDONCE;
    }
    return true;
}

bool TreeView::CollapseItem(Index i, bool user, bool reset) {
    if (!HasChildren(i))
        return false;
    HTREEITEM h = H(i);
    if (!(i = Own(h)))
        return false;
    bool expanded = At(i).state & TVIS_EXPANDED;
    if (!expanded && !user)
        return false;
    bool notify = !reset && (user || !(At(i).state & TVIS_EXPANDEDONCE));
    if (notify) {
        if (NotifyTree(TVN_ITEMEXPANDINGA, TVE_COLLAPSE, 0, i, ExpandMask))
            return false;
        if (Dead() || !(i = Own(h)))
            return false;
    }
    if (!expanded)
        return false;
    At(i).state &= ~static_cast<UINT>(TVIS_EXPANDED);
    UpdateShown(i);
    S().Propagate(i);
    if (m_top && !Shown(m_top))
        m_top = i;
    if (reset) {
        At(i).state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
        while (Index c = At(i).first) {
            if (!DeleteItem(H(c)))
                break;
            if (Dead() || !(i = Own(h)))
                return true;
        }
    }
    Changed();
    if (notify) {
        NotifyTree(TVN_ITEMEXPANDEDA, TVE_COLLAPSE, 0, i, ExpandMask);
        if (Dead() || !(i = Own(h)))
            return true;
    }
    // The selection does not stay hidden: it moves to the collapsed item, and the parent hears of it.
    if (m_caret && m_caret != i && InBranch(m_caret, i))
        Select(i, TVC_UNKNOWN, false);
    return true;
}

bool TreeView::Toggle(Index i, bool user) {
    return (At(i).state & TVIS_EXPANDED) ? CollapseItem(i, user, false) : ExpandItem(i, user);
}

// Expands the collapsed ancestors of i, nearest first; a parent may refuse. Each expansion is notified as
// the user's are, even for an ancestor expanded before (the platform's conformance test of
// TVS_SINGLEEXPAND sees the pair when an item under a collapsed, once expanded parent is selected). False
// when the item went away.
bool TreeView::RevealAncestors(Index i) {
    HTREEITEM h = H(i);
    for (Index p = At(i).parent; p != m_root;) {
        HTREEITEM ph = H(p);
        if (!(At(p).state & TVIS_EXPANDED))
            ExpandItem(p, true);
        if (Dead() || !Own(h) || !(p = Own(ph)))
            return false;
        p = At(p).parent;
    }
    return true;
}

bool TreeView::Select(Index i, UINT action, bool singleExpand) {
    if (i == m_caret)
        return true;
    HTREEITEM h = H(i), oldH = H(m_caret);
    if (NotifyTree(TVN_SELCHANGINGA, action, m_caret, i, SelectMask))
        return false;
    if (Dead() || (h && !(i = Own(h))))
        return false;
    if (i && !RevealAncestors(i))
        return false;
    Index old = Own(oldH);
    if (old)
        At(old).state &= ~static_cast<UINT>(TVIS_SELECTED);
    if (i)
        At(i).state |= TVIS_SELECTED;
    m_caret = i;
    if (m_pendingEdit) {
        KillTimer(m_hwnd, EditTimer);
        m_pendingEdit = 0;
    }
    if (i && Shown(i))
        ScrollIntoView(i);
    Invalidate();
    if (!Dead())
        NotifyTree(TVN_SELCHANGEDA, action, old, Own(h), SelectMask);
    if (singleExpand && (Style() & TVS_SINGLEEXPAND) && !Dead() && (i = Own(h)))
        SingleExpand(Own(oldH), i, action);
    return true;
}

// TVS_SINGLEEXPAND after a selection change: the new item expands, then the old one collapses with those
// of its ancestors that are not the new item's ones, each with the user's notifications. The platform's
// conformance test of the style records the pairs and the final states, and describes each step in that
// order ("delta expands, bravo collapses"). The parent hears of it first (TVN_SINGLEEXPAND) and may keep
// either as it is. Holding Ctrl while the user selects keeps the old one open, as documented.
void TreeView::SingleExpand(Index old, Index i, UINT action) {
    HTREEITEM h = H(i), oldH = H(old);
    LRESULT answer = NotifyTree(TVN_SINGLEEXPAND, action, old, i, SelectMask);
    if (Dead() || !(i = Own(h)))
        return;
    if (!(answer & TVNRET_SKIPNEW) && !(At(i).state & TVIS_EXPANDED))
        ExpandItem(i, true);
    bool keepOld = (answer & TVNRET_SKIPOLD) || (action != TVC_UNKNOWN && GetKeyState(VK_CONTROL) < 0);
    std::vector<HTREEITEM> closing;
    if (!keepOld && !Dead() && (old = Own(oldH)) && (i = Own(h)))
        for (Index p = old; p != m_root && !InBranch(i, p); p = At(p).parent)
            if (At(p).state & TVIS_EXPANDED)
                closing.push_back(H(p));
    for (HTREEITEM c : closing)
        if (Index p = Dead() ? 0 : Own(c))
            CollapseItem(p, true, false);
}

BOOL TreeView::SelectMessage(UINT code, HTREEITEM h) {
    Index i = h ? Own(h) : 0;
    if (h && !i)
        return FALSE;
    switch (code & ~static_cast<UINT>(TVSI_NOSINGLEEXPAND)) {
    case TVGN_CARET:
        return Select(i, TVC_UNKNOWN, !(code & TVSI_NOSINGLEEXPAND)) ? TRUE : FALSE;
    case TVGN_DROPHILITE:
        if (m_drop)
            At(m_drop).state &= ~static_cast<UINT>(TVIS_DROPHILITED);
        m_drop = i;
        if (i)
            At(i).state |= TVIS_DROPHILITED;
        Invalidate();
        return TRUE;
    case TVGN_FIRSTVISIBLE:
        if (!i)
            return FALSE;
        if (!RevealAncestors(i))
            return FALSE;
        SetTopRow(S().RowOf(i, m_root));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace emu::comctl
