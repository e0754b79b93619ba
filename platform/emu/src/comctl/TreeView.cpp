#include "TreeView.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace emu::comctl {

namespace {
constexpr int MinIndent = 19;

int CompareNoCase(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t k = 0; k < n; ++k) {
        int x = std::tolower(static_cast<unsigned char>(a[k]));
        int y = std::tolower(static_cast<unsigned char>(b[k]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
} // namespace

void RegisterTreeViewClass(HINSTANCE module) {
    WNDCLASSA wc{};
    if (GetClassInfoA(module, WC_TREEVIEWA, &wc))
        return;
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = &TreeView::WndProc;
    wc.cbWndExtra = sizeof(TreeView*);
    wc.hInstance = module;
    wc.lpszClassName = WC_TREEVIEWA;
    RegisterClassA(&wc);
}

LRESULT CALLBACK TreeView::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* tv = reinterpret_cast<TreeView*>(GetWindowLongPtrA(hwnd, 0));
    if (!tv && msg == WM_NCCREATE) {
        tv = new TreeView(hwnd, reinterpret_cast<CREATESTRUCTA*>(lp)->hwndParent);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(tv));
    }
    if (!tv)
        return DefWindowProcA(hwnd, msg, wp, lp);
    // Handlers send notifications that may destroy the window: the object outlives every call in progress.
    ++tv->m_calls;
    LRESULT result = tv->Dispatch(msg, wp, lp);
    if (--tv->m_calls == 0 && tv->m_destroyed)
        delete tv;
    return result;
}

TreeView::TreeView(HWND hwnd, HWND notify)
    : m_hwnd(hwnd), m_notify(notify), m_indent(MinIndent), m_itemHeight(EMU_FONT_HEIGHT + 3) {
    m_root = S().Allocate(this);
    Item& root = At(m_root);
    root.flags = HiddenRoot;
    root.state = TVIS_EXPANDED;
    S().Flush();
    S().PullBranch(m_root);
    S().Pull(m_root);
}

TreeView::~TreeView() {
    if (m_root) {
        DeleteBranch(m_root, false);
        S().Free(m_root);
    }
    // The check boxes' list is the tree's own while it holds it; whoever took it back owns it.
    if (m_checkBoxes && m_checkBoxes == m_state)
        ImageList_Destroy(m_checkBoxes);
}

COLORREF TreeView::Exchange(COLORREF& slot, COLORREF value) {
    std::swap(slot, value);
    Invalidate();
    return value;
}

Index TreeView::Own(HTREEITEM h) const {
    Index i = S().Resolve(h);
    return i && At(i).tree == this ? i : 0;
}

LRESULT TreeView::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        UpdateScrollBars();
        return 0;
    case WM_DESTROY:
        if (m_edit)
            EndEdit(true, true);
        if (!Dead())
            DeleteItem(TVI_ROOT);
        return 0;
    case WM_NCDESTROY:
        m_destroyed = true;
        SetWindowLongPtrA(m_hwnd, 0, 0);
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wp);
        if (lp)
            Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETREDRAW:
        m_redraw = wp != 0;
        if (m_redraw)
            Changed();
        return 0;
    case WM_STYLECHANGED:
        if (wp == static_cast<WPARAM>(GWL_STYLE)) {
            auto* change = reinterpret_cast<const STYLESTRUCT*>(lp);
            if (change && (change->styleNew & ~change->styleOld & TVS_CHECKBOXES))
                ResetCheckBoxes();
        }
        [[fallthrough]];
    case WM_SIZE:
        // Styles move every row alike (see ContentWidth), so only the bars need another look.
        UpdateScrollBars();
        Invalidate();
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    case WM_ERASEBKGND:
        return EraseBackground(reinterpret_cast<HDC>(wp));
    case WM_PAINT: {
        if ((Style() & TVS_CHECKBOXES) && !m_state)
            ResetCheckBoxes();
        m_invalid = false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        Paint(dc, ps.rcPaint);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_SETFOCUS:
        Invalidate();
        NotifySimple(NM_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Invalidate();
        NotifySimple(NM_KILLFOCUS);
        return 0;
    case WM_SETCURSOR:
        // The parent hears of it first (NM_SETCURSOR) and may set the cursor itself.
        if (reinterpret_cast<HWND>(wp) == m_hwnd && OnSetCursor(LOWORD(lp)))
            return TRUE;
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        OnButtonDown(msg == WM_RBUTTONDOWN, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wp));
        return 0;
    case WM_TIMER:
        OnTimer(wp);
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_MOUSEWHEEL: {
        int lines = -static_cast<short>(HIWORD(wp)) / 120 * 3;
        if (lines && (Style() & WS_VSCROLL))
            SetTopRow(static_cast<uint32_t>(std::max<int64_t>(0, int64_t(TopRow()) + lines)));
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wp) == EN_KILLFOCUS && m_edit && reinterpret_cast<HWND>(lp) == m_edit)
            EndEdit(false, true);
        return 0;

    case TVM_INSERTITEMA:
        return reinterpret_cast<LRESULT>(InsertItem(reinterpret_cast<const TVINSERTSTRUCTA*>(lp)));
    case TVM_DELETEITEM:
        return DeleteItem(reinterpret_cast<HTREEITEM>(lp));
    case TVM_EXPAND:
        return Expand(reinterpret_cast<HTREEITEM>(lp), static_cast<UINT>(wp));
    case TVM_GETITEMRECT:
        return GetItemRect(static_cast<BOOL>(wp), reinterpret_cast<RECT*>(lp));
    case TVM_GETCOUNT:
        return m_count;
    case TVM_GETINDENT:
        return m_indent;
    case TVM_SETINDENT: {
        int indent = std::max(MinIndent, static_cast<int>(wp));
        if (indent != m_indent) {
            m_indent = indent;
            ApplyKeys();
            Changed();
        }
        return TRUE;
    }
    case TVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wp == TVSIL_NORMAL  ? m_normal
                                         : wp == TVSIL_STATE ? m_state
                                                             : nullptr);
    case TVM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(SetImageList(wp, reinterpret_cast<HIMAGELIST>(lp)));
    case TVM_GETNEXTITEM:
        return reinterpret_cast<LRESULT>(GetNextItem(static_cast<UINT>(wp), reinterpret_cast<HTREEITEM>(lp)));
    case TVM_SELECTITEM:
        return SelectMessage(static_cast<UINT>(wp), reinterpret_cast<HTREEITEM>(lp));
    case TVM_GETITEMA:
        return GetItem(reinterpret_cast<TVITEMA*>(lp));
    case TVM_SETITEMA:
        return SetItem(reinterpret_cast<const TVITEMA*>(lp));
    case TVM_EDITLABELA:
        return reinterpret_cast<LRESULT>(EditLabel(reinterpret_cast<HTREEITEM>(lp)));
    case TVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(m_edit);
    case TVM_ENDEDITLABELNOW:
        return EndEdit(wp != 0, false);
    case TVM_GETVISIBLECOUNT:
        return PageRows();
    case TVM_HITTEST: {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lp);
        if (!info)
            return 0;
        Hit hit = HitTest(info->pt);
        info->flags = hit.flags;
        info->hItem = H(hit.item);
        return reinterpret_cast<LRESULT>(info->hItem);
    }
    case TVM_CREATEDRAGIMAGE:
        return reinterpret_cast<LRESULT>(CreateDragImage(reinterpret_cast<HTREEITEM>(lp)));
    case TVM_SORTCHILDREN:
        return SortChildren(reinterpret_cast<HTREEITEM>(lp), nullptr);
    case TVM_SORTCHILDRENCB: {
        auto* cb = reinterpret_cast<const TVSORTCB*>(lp);
        return cb && cb->lpfnCompare ? SortChildren(cb->hParent, cb) : FALSE;
    }
    case TVM_ENSUREVISIBLE:
        return EnsureVisible(reinterpret_cast<HTREEITEM>(lp));
    case TVM_SETITEMHEIGHT:
        return SetItemHeight(static_cast<int>(static_cast<short>(LOWORD(wp))));
    case TVM_GETITEMHEIGHT:
        return m_itemHeight;
    case TVM_SETBKCOLOR:
        return static_cast<LONG>(Exchange(m_bk, static_cast<COLORREF>(lp)));
    case TVM_GETBKCOLOR:
        return static_cast<LRESULT>(static_cast<LONG>(m_bk));
    case TVM_SETTEXTCOLOR:
        return static_cast<LONG>(Exchange(m_text, static_cast<COLORREF>(lp)));
    case TVM_GETTEXTCOLOR:
        return static_cast<LRESULT>(static_cast<LONG>(m_text));
    case TVM_SETLINECOLOR:
        return static_cast<LONG>(Exchange(m_line, static_cast<COLORREF>(lp)));
    case TVM_GETLINECOLOR:
        return static_cast<LRESULT>(static_cast<LONG>(m_line));
    case TVM_GETITEMSTATE: {
        Index i = Own(reinterpret_cast<HTREEITEM>(wp));
        return i ? (At(i).state & static_cast<UINT>(lp)) : 0;
    }
    default:
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Notifications

LRESULT TreeView::Notify(UINT code, NMHDR* hdr) {
    hdr->hwndFrom = m_hwnd;
    hdr->idFrom = static_cast<UINT_PTR>(GetWindowLongPtrA(m_hwnd, GWLP_ID));
    hdr->code = code;
    return SendMessageA(m_notify, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

LRESULT TreeView::NotifySimple(UINT code) {
    NMHDR hdr{};
    return Notify(code, &hdr);
}

void TreeView::Describe(Index i, UINT mask, TVITEMA& out) {
    out = TVITEMA{};
    if (!i)
        return;
    const Item& it = At(i);
    out.mask = mask;
    out.hItem = H(i);
    out.state = it.state;
    out.stateMask = 0xFFFF;
    out.lParam = it.lParam;
    out.iImage = it.image;
    out.iSelectedImage = it.selectedImage;
}

LRESULT TreeView::NotifyTree(UINT code, UINT action, Index oldItem, Index newItem, UINT newMask, POINT pt) {
    NMTREEVIEWA nm{};
    nm.action = action;
    Describe(oldItem, TVIF_HANDLE | TVIF_STATE | TVIF_PARAM, nm.itemOld);
    Describe(newItem, newMask, nm.itemNew);
    nm.ptDrag = pt;
    return Notify(code, &nm.hdr);
}

// Asks the parent for the callback parts of `mask`; the answers are written into `item`, and kept in the
// item when the parent asks for it (TVIF_DI_SETITEM). False when the tree went away meanwhile.
bool TreeView::DispInfo(Index i, UINT mask, TVITEMA& item) {
    HTREEITEM h = H(i);
    NMTVDISPINFOA nm{};
    nm.item.mask = mask;
    nm.item.hItem = h;
    nm.item.state = At(i).state;
    nm.item.lParam = At(i).lParam;
    nm.item.pszText = item.pszText;
    nm.item.cchTextMax = item.cchTextMax;
    Notify(TVN_GETDISPINFOA, &nm.hdr);
    if (Dead() || !(i = S().Resolve(h)))
        return false;
    if (mask & TVIF_TEXT) {
        if (nm.item.pszText && nm.item.pszText != LPSTR_TEXTCALLBACKA && nm.item.pszText != item.pszText &&
            item.pszText && item.cchTextMax > 0) {
            strncpy(item.pszText, nm.item.pszText, static_cast<size_t>(item.cchTextMax - 1));
            item.pszText[item.cchTextMax - 1] = '\0';
        }
        if ((nm.item.mask & TVIF_DI_SETITEM) && item.pszText) {
            At(i).flags &= static_cast<uint8_t>(~TextCallback);
            At(i).text = item.pszText;
            UpdateKey(i);
        }
    }
    if (mask & TVIF_IMAGE)
        item.iImage = nm.item.iImage;
    if (mask & TVIF_SELECTEDIMAGE)
        item.iSelectedImage = nm.item.iSelectedImage;
    if (mask & TVIF_CHILDREN)
        item.cChildren = nm.item.cChildren;
    // The parent may answer state bits too, adding TVIF_STATE to the mask: they reach the caller, whose
    // state was read before (the platform's conformance test of callbacks sees them in TVM_GETITEM).
    if (nm.item.mask & TVIF_STATE)
        item.state = (item.state & ~nm.item.stateMask) | (nm.item.state & nm.item.stateMask);
    if (nm.item.mask & TVIF_DI_SETITEM) {
        Item& it = At(i);
        if (mask & TVIF_IMAGE) {
            it.image = nm.item.iImage;
            it.flags &= static_cast<uint8_t>(~ImageCallback);
        }
        if (mask & TVIF_SELECTEDIMAGE) {
            it.selectedImage = nm.item.iSelectedImage;
            it.flags &= static_cast<uint8_t>(~SelectedImageCallback);
        }
        if (mask & TVIF_CHILDREN) {
            it.children = nm.item.cChildren;
            it.flags = static_cast<uint8_t>((it.flags & ~ChildrenCallback) | ChildrenExplicit);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------------------
// Items

LRESULT TreeView::InsertItem(const TVINSERTSTRUCTA* is) {
    if (!is || m_deleting)
        return 0;
    Index parent = m_root;
    if (is->hParent && is->hParent != TVI_ROOT && !(parent = Own(is->hParent)))
        return 0;
    Index after;
    HTREEITEM pos = is->hInsertAfter;
    const TVITEMA& src = is->item;
    std::string text;
    bool textCallback = false;
    if (src.mask & TVIF_TEXT) {
        textCallback = !src.pszText || src.pszText == LPSTR_TEXTCALLBACKA;
        if (!textCallback)
            text = src.pszText;
    }
    if (pos == TVI_FIRST) {
        after = 0;
    } else if (pos == TVI_LAST || pos == TVI_ROOT) {
        after = At(parent).last;
    } else if (pos == TVI_SORT) {
        after = 0;
        if (textCallback) {
            after = At(parent).last;
        } else {
            for (Index s = At(parent).first; s && CompareNoCase(At(s).text, text) <= 0; s = At(s).next)
                after = s;
        }
    } else {
        after = Own(pos);
        if (!after || At(after).parent != parent)
            return 0;
    }

    Index n = S().Allocate(this);
    if (!n)
        return 0;
    Item& it = At(n);
    it.depth = parent == m_root ? 0 : At(parent).depth + 1;
    it.text = std::move(text);
    if (textCallback)
        it.flags |= TextCallback;
    if (src.mask & TVIF_IMAGE) {
        it.image = src.iImage;
        if (src.iImage == I_IMAGECALLBACK)
            it.flags |= ImageCallback;
    }
    if (src.mask & TVIF_SELECTEDIMAGE) {
        it.selectedImage = src.iSelectedImage;
        if (src.iSelectedImage == I_IMAGECALLBACK)
            it.flags |= SelectedImageCallback;
    }
    if (src.mask & TVIF_CHILDREN) {
        if (src.cChildren == I_CHILDRENCALLBACK)
            it.flags |= ChildrenCallback;
        else if (src.cChildren != I_CHILDRENAUTO) {
            it.children = src.cChildren;
            it.flags |= ChildrenExplicit;
        }
    }
    if (src.mask & TVIF_STATE)
        it.state = src.state & src.stateMask & ~static_cast<UINT>(TVIS_SELECTED | TVIS_DROPHILITED);
    if ((Style() & TVS_CHECKBOXES) && !(it.state & TVIS_STATEIMAGEMASK))
        it.state |= INDEXTOSTATEIMAGEMASK(1);
    if (src.mask & TVIF_PARAM)
        it.lParam = src.lParam;
    if (parent == m_root || (Shown(parent) && (At(parent).state & TVIS_EXPANDED)))
        it.flags |= Visible;
    it.key = KeyOf(n);
    S().Link(parent, n, after);
    // A parent given a child reports children from what it holds again, whatever cChildren it was given.
    if (parent != m_root)
        At(parent).flags &= static_cast<uint8_t>(~ChildrenExplicit);
    ++m_count;
    if (!m_top && parent == m_root)
        m_top = n;
    if (Shown(n))
        Changed();
    else if (parent == m_root || Shown(parent))
        Invalidate();
    return reinterpret_cast<LRESULT>(H(n));
}

BOOL TreeView::DeleteItem(HTREEITEM h) {
    if (m_deleting)
        return FALSE;
    bool all = !h || h == TVI_ROOT;
    Index i = all ? m_root : Own(h);
    if (!i)
        return FALSE;
    if (m_edit && (all || InBranch(m_editItem, i))) {
        EndEdit(true, false);
        if (Dead())
            return TRUE;
        if (!all && !(i = Own(h)))
            return TRUE;
    }
    if (m_pendingEdit && (all || InBranch(m_pendingEdit, i))) {
        KillTimer(m_hwnd, EditTimer);
        m_pendingEdit = 0;
    }
    if (all) {
        DeleteBranch(m_root, false);
        if (Dead())
            return TRUE;
        m_caret = m_drop = m_top = 0;
        m_scrollX = 0;
        Changed();
        return TRUE;
    }

    Index parent = At(i).parent;
    HTREEITEM next = H(At(i).next), prev = H(At(i).prev), up = parent == m_root ? nullptr : H(parent);
    bool caretGoes = m_caret && InBranch(m_caret, i);
    bool wasShown = Shown(i);
    uint32_t row = wasShown ? S().RowOf(i, m_root) : 0;
    bool topGoes = m_top && InBranch(m_top, i);
    DeleteBranch(i, true);
    if (Dead())
        return TRUE;
    if (m_drop && !S().Resolve(H(m_drop)))
        m_drop = 0;
    if (topGoes || (m_top && !S().Resolve(H(m_top)))) {
        uint32_t rows = TotalRows();
        m_top = rows ? S().AtRow(m_root, std::min(row, rows - 1)) : 0;
    }
    Changed();
    if (caretGoes) {
        m_caret = 0;
        Index target = Own(next);
        if (!target)
            target = Own(up);
        if (!target)
            target = Own(prev);
        if (target)
            Select(target, TVC_UNKNOWN, false);
    }
    return TRUE;
}

// Sends TVN_DELETEITEMA for every item of the branch, children before parents, then frees them. The
// items stay valid while the notifications go out; the tree refuses to insert or delete meanwhile.
void TreeView::DeleteBranch(Index top, bool withRoot) {
    ItemStore& s = S();
    auto firstLeaf = [&](Index n) {
        while (s[n].first)
            n = s[n].first;
        return n;
    };
    auto postOrder = [&](auto&& visit) {
        if (!withRoot && !s[top].first)
            return;
        Index n = firstLeaf(withRoot ? top : s[top].first);
        for (;;) {
            Index next = 0;
            bool last = n == top;
            if (!last)
                next = s[n].next ? firstLeaf(s[n].next) : s[n].parent;
            if (!(last && !withRoot))
                visit(n);
            if (last || (!withRoot && next == top))
                return;
            n = next;
        }
    };
    if (!m_destroyed) {
        m_deleting = true;
        postOrder([&](Index n) {
            if (m_destroyed)
                return;
            NMTREEVIEWA nm{};
            nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
            nm.itemOld.hItem = H(n);
            nm.itemOld.lParam = s[n].lParam;
            Notify(TVN_DELETEITEMA, &nm.hdr);
        });
        m_deleting = false;
    }
    if (withRoot)
        s.Unlink(top);
    uint32_t freed = 0;
    postOrder([&](Index n) {
        s.Free(n);
        ++freed;
    });
    if (!withRoot) {
        Item& r = s[top];
        r.first = r.last = r.childRoot = 0;
        s.Propagate(top);
    }
    m_count -= freed;
}

BOOL TreeView::GetItem(TVITEMA* item) {
    if (!item)
        return FALSE;
    // An item of another tree is read from that tree, as the real control does.
    Index i = S().Resolve(item->hItem);
    if (!i)
        return FALSE;
    TreeView* owner = At(i).tree;
    const Item& it = At(i);
    UINT mask = item->mask;
    item->state = it.state;
    UINT callbacks = 0;
    if (mask & TVIF_TEXT) {
        if (it.flags & TextCallback)
            callbacks |= TVIF_TEXT;
        else if (item->pszText && item->cchTextMax > 0) {
            size_t n = std::min(it.text.size(), static_cast<size_t>(item->cchTextMax - 1));
            memcpy(item->pszText, it.text.data(), n);
            item->pszText[n] = '\0';
        }
    }
    if (mask & TVIF_IMAGE) {
        if (it.flags & ImageCallback)
            callbacks |= TVIF_IMAGE;
        else
            item->iImage = it.image;
    }
    if (mask & TVIF_SELECTEDIMAGE) {
        if (it.flags & SelectedImageCallback)
            callbacks |= TVIF_SELECTEDIMAGE;
        else
            item->iSelectedImage = it.selectedImage;
    }
    if (mask & TVIF_CHILDREN) {
        if (it.flags & ChildrenCallback)
            callbacks |= TVIF_CHILDREN;
        else if (it.flags & ChildrenExplicit)
            item->cChildren = it.children;
        else
            item->cChildren = it.first ? 1 : 0;
    }
    if (mask & TVIF_PARAM)
        item->lParam = it.lParam;
    if (callbacks) {
        if (item->pszText && item->cchTextMax > 0 && (callbacks & TVIF_TEXT))
            item->pszText[0] = '\0';
        return owner->DispInfo(i, callbacks, *item) ? TRUE : FALSE;
    }
    return TRUE;
}

BOOL TreeView::SetItem(const TVITEMA* item) {
    if (!item)
        return FALSE;
    Index i = Own(item->hItem);
    if (!i)
        return FALSE;
    Item& it = At(i);
    UINT mask = item->mask;
    bool relayout = false;
    if (mask & TVIF_TEXT) {
        if (!item->pszText || item->pszText == LPSTR_TEXTCALLBACKA) {
            it.flags |= TextCallback;
            it.text.clear();
        } else {
            it.flags &= static_cast<uint8_t>(~TextCallback);
            it.text = item->pszText;
        }
        relayout = true;
    }
    if (mask & TVIF_IMAGE) {
        it.image = item->iImage;
        it.flags = static_cast<uint8_t>(item->iImage == I_IMAGECALLBACK ? it.flags | ImageCallback
                                                                        : it.flags & ~ImageCallback);
    }
    if (mask & TVIF_SELECTEDIMAGE) {
        it.selectedImage = item->iSelectedImage;
        it.flags =
            static_cast<uint8_t>(item->iSelectedImage == I_IMAGECALLBACK ? it.flags | SelectedImageCallback
                                                                         : it.flags & ~SelectedImageCallback);
    }
    if (mask & TVIF_CHILDREN) {
        it.flags &= static_cast<uint8_t>(~(ChildrenCallback | ChildrenExplicit));
        if (item->cChildren == I_CHILDRENCALLBACK)
            it.flags |= ChildrenCallback;
        else if (item->cChildren != I_CHILDRENAUTO) {
            it.children = item->cChildren;
            it.flags |= ChildrenExplicit;
        }
    }
    if (mask & TVIF_PARAM)
        it.lParam = item->lParam;
    if (mask & TVIF_STATE) {
        UINT old = it.state;
        it.state = (old & ~item->stateMask) | (item->state & item->stateMask);
        if ((old ^ it.state) & TVIS_STATEIMAGEMASK)
            relayout = true;
        if ((old ^ it.state) & TVIS_EXPANDED) {
            UpdateShown(i);
            S().Propagate(i);
            if (m_top && !Shown(m_top))
                m_top = i;
            Changed();
        }
    }
    if (relayout)
        UpdateKey(i);
    if (Shown(i))
        Invalidate();
    return TRUE;
}

void TreeView::SetText(Index i, const char* text) {
    Item& it = At(i);
    it.flags &= static_cast<uint8_t>(~TextCallback);
    it.text = text;
    UpdateKey(i);
    Invalidate();
}

bool TreeView::HasChildren(Index i) {
    const Item& it = At(i);
    if (it.flags & ChildrenCallback) {
        TVITEMA answer{};
        HTREEITEM h = H(i);
        if (!DispInfo(i, TVIF_CHILDREN, answer) || !Own(h))
            return false;
        return answer.cChildren != 0;
    }
    if (it.flags & ChildrenExplicit)
        return it.children != 0;
    return it.first != 0;
}

bool TreeView::InBranch(Index i, Index top) const {
    for (; i; i = At(i).parent)
        if (i == top)
            return true;
    return false;
}

bool TreeView::Shown(Index i) const {
    return At(i).flags & Visible;
}

// After n's expanded state changed: the rows below n that appear or go. Only items whose visibility
// changes are visited (the first child of each expanded item whose own visibility stayed is not left).
void TreeView::UpdateShown(Index n) {
    if (n != m_root && !Shown(n))
        return;
    const Item& top = At(n);
    bool open = top.state & TVIS_EXPANDED;
    for (Index c = top.first; c;) {
        Item& it = At(c);
        bool changed = Shown(c) != open;
        it.flags = static_cast<uint8_t>(open ? it.flags | Visible : it.flags & ~Visible);
        // A changed item's children follow it when it is expanded; otherwise the walk goes on beside it.
        if (changed && (it.state & TVIS_EXPANDED) && it.first) {
            c = it.first;
            continue;
        }
        while (c != n && !At(c).next)
            c = At(c).parent;
        c = c == n ? 0 : At(c).next;
    }
}

Index TreeView::NextShown(Index i) const {
    const Item& it = At(i);
    if ((it.state & TVIS_EXPANDED) && it.first)
        return it.first;
    for (Index n = i; n != m_root; n = At(n).parent)
        if (At(n).next)
            return At(n).next;
    return 0;
}

Index TreeView::PrevShown(Index i) const {
    const Item& it = At(i);
    if (!it.prev)
        return it.parent == m_root ? 0 : it.parent;
    Index n = it.prev;
    while ((At(n).state & TVIS_EXPANDED) && At(n).last)
        n = At(n).last;
    return n;
}

HTREEITEM TreeView::GetNextItem(UINT code, HTREEITEM h) {
    Index i = 0;
    switch (code) {
    case TVGN_ROOT:
        return H(At(m_root).first);
    case TVGN_CARET:
        return H(m_caret);
    case TVGN_DROPHILITE:
        return H(m_drop);
    case TVGN_FIRSTVISIBLE:
        return H(S().AtRow(m_root, TopRow()));
    case TVGN_LASTVISIBLE: {
        uint32_t rows = TotalRows();
        return rows ? H(S().AtRow(m_root, rows - 1)) : nullptr;
    }
    case TVGN_CHILD:
        if (!h || h == TVI_ROOT)
            return H(At(m_root).first);
        i = Own(h);
        return i ? H(At(i).first) : nullptr;
    case TVGN_PARENT:
        i = (!h || h == TVI_ROOT) ? 0 : Own(h);
        return i && At(i).parent != m_root ? H(At(i).parent) : nullptr;
    case TVGN_NEXT:
        i = Own(h);
        return i ? H(At(i).next) : nullptr;
    case TVGN_PREVIOUS:
        i = Own(h);
        return i ? H(At(i).prev) : nullptr;
    case TVGN_NEXTVISIBLE:
        i = Own(h);
        return i && Shown(i) ? H(NextShown(i)) : nullptr;
    case TVGN_PREVIOUSVISIBLE:
        i = Own(h);
        return i && Shown(i) ? H(PrevShown(i)) : nullptr;
    default:
        return nullptr;
    }
}

// Sorts one level: the platform ignores fRecurse (its conformance test finds the grandchildren unsorted
// with TRUE, and the framework documents one level). NULL and TVI_ROOT sort the top-level items (the
// framework's documentation sorts the whole tree's top level that way); the platform's test answers TRUE
// for them in a tree with items. An item without children, and an empty tree, answer FALSE.
BOOL TreeView::SortChildren(HTREEITEM parent, const TVSORTCB* cb) {
    if (m_deleting)
        return FALSE;
    Index p = (!parent || parent == TVI_ROOT) ? m_root : Own(parent);
    if (!p || !At(p).first)
        return FALSE;
    SortOne(p, cb);
    Changed();
    return TRUE;
}

void TreeView::SortOne(Index parent, const TVSORTCB* cb) {
    std::vector<Index> kids;
    for (Index c = At(parent).first; c; c = At(c).next)
        kids.push_back(c);
    if (kids.size() < 2)
        return;
    if (cb)
        std::stable_sort(kids.begin(), kids.end(), [&](Index a, Index b) {
            return cb->lpfnCompare(At(a).lParam, At(b).lParam, cb->lParam) < 0;
        });
    else
        std::stable_sort(kids.begin(), kids.end(),
                         [&](Index a, Index b) { return CompareNoCase(At(a).text, At(b).text) < 0; });
    for (Index c : kids)
        S().Unlink(c);
    Index after = 0;
    for (Index c : kids) {
        S().Link(parent, c, after);
        after = c;
    }
}

} // namespace emu::comctl
