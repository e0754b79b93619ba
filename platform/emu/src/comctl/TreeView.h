// The emulated tree-view control: one object per "SysTreeView32" window.
#pragma once

#include "ItemStore.h"

#include <windows.h>
#include <commctrl.h>

namespace emu::comctl {

void RegisterTreeViewClass(HINSTANCE module);

class TreeView {
public:
    static constexpr UINT_PTR EditTimer = 1;
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    struct Layout {
        int button, stateIcon, icon, label,
            right; // content x of each region's left edge; right ends the label
    };
    struct Hit {
        Index item;
        UINT flags;
    };

    TreeView(HWND hwnd, HWND notify);
    ~TreeView();

    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool Dead() const { return m_destroyed; }
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(m_hwnd, GWL_STYLE)); }
    ItemStore& S() const { return m_items; }
    Item& At(Index i) const { return m_items[i]; }
    HTREEITEM H(Index i) const { return m_items.Handle(i); }
    Index Own(HTREEITEM h) const; // an item of this tree, or 0

    // Notifications to the parent.
    LRESULT Notify(UINT code, NMHDR* hdr);
    LRESULT NotifySimple(UINT code);
    void Describe(Index i, UINT mask, TVITEMA& out);
    LRESULT NotifyTree(UINT code, UINT action, Index oldItem, Index newItem, UINT newMask, POINT pt = {});
    bool DispInfo(Index i, UINT mask, TVITEMA& item);

    // Items.
    LRESULT InsertItem(const TVINSERTSTRUCTA* is);
    BOOL DeleteItem(HTREEITEM h);
    void DeleteBranch(Index i, bool withRoot);
    BOOL GetItem(TVITEMA* item);
    BOOL SetItem(const TVITEMA* item);
    void SetText(Index i, const char* text);
    bool HasChildren(Index i);
    bool InBranch(Index i, Index top) const;
    bool Shown(Index i) const;
    void UpdateShown(Index n);
    Index NextShown(Index i) const;
    Index PrevShown(Index i) const;
    HTREEITEM GetNextItem(UINT code, HTREEITEM h);
    BOOL SortChildren(HTREEITEM parent, const TVSORTCB* cb);
    void SortOne(Index parent, const TVSORTCB* cb);

    // Expansion and selection.
    BOOL Expand(HTREEITEM h, UINT code);
    bool ExpandItem(Index i, bool user);
    bool CollapseItem(Index i, bool user, bool reset);
    bool Toggle(Index i, bool user);
    bool Select(Index i, UINT action, bool singleExpand = true);
    void SingleExpand(Index old, Index i, UINT action);
    BOOL SelectMessage(UINT code, HTREEITEM h);
    bool RevealAncestors(Index i);

    // Geometry and scrolling.
    void ApplyKeys();
    int32_t KeyOf(Index i) const;
    void UpdateKey(Index i);
    int LabelWidth(Index i);
    Layout LayoutOf(Index i);
    Layout LayoutOf(Index i, int labelWidth);
    int ContentWidth() const;
    uint32_t TotalRows() const { return At(m_root).rows; }
    uint32_t TopRow();
    uint32_t PageRows() const;
    void SetTopRow(uint32_t row);
    void Changed();
    void UpdateScrollBars();
    Hit HitTest(POINT pt);
    BOOL GetItemRect(BOOL textOnly, RECT* rc);
    BOOL EnsureVisible(HTREEITEM h);
    bool ScrollIntoView(Index i);
    void OnVScroll(UINT code, int thumb);
    void OnHScroll(UINT code, int thumb);
    void SetScrollX(int x);
    int SetItemHeight(int height);
    void Invalidate();
    COLORREF Exchange(COLORREF& slot, COLORREF value);

    // Images.
    HIMAGELIST SetImageList(WPARAM which, HIMAGELIST list);
    HIMAGELIST CreateDragImage(HTREEITEM h);
    void ResetCheckBoxes();
    void ToggleCheck(Index i);

    // Painting.
    struct Look;
    COLORREF BackColor() const;
    LRESULT EraseBackground(HDC dc);
    void Paint(HDC dc, const RECT& area);
    bool LookOf(Index i, Look& look);
    bool PaintRow(HDC dc, Index i, int y, HFONT& bold, bool itemDraw);
    void PaintRowParts(HDC dc, Index i, const Look& look, int y, HFONT& bold, const NMTVCUSTOMDRAW& cd);
    void PaintLines(HDC dc, Index i, const Layout& l, int y);
    void PaintImage(HDC dc, HIMAGELIST list, int index, int x, int y);

    // User input.
    bool Track(POINT pt, POINT* dragScreen);
    void OnButtonDown(bool right, POINT pt);
    void OnDoubleClick(POINT pt);
    void OnKeyDown(UINT vk);
    void OnTimer(UINT_PTR id);
    // NM_SETCURSOR for the item under the pointer; true when the parent has set the cursor.
    bool OnSetCursor(UINT hitCode);

    // Label editing.
    HWND EditLabel(HTREEITEM h);
    BOOL EndEdit(bool cancel, bool focusLeaving);
    static LRESULT CALLBACK EditSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    // The process's items, held so that each access needs no check whether the store exists yet.
    ItemStore& m_items = ItemStore::Get();
    HWND m_hwnd;
    HWND m_notify;
    Index m_root;
    uint32_t m_count = 0;
    Index m_caret = 0, m_drop = 0, m_top = 0, m_pendingEdit = 0;
    HWND m_edit = nullptr;
    Index m_editItem = 0;
    WNDPROC m_editProc = nullptr;
    HIMAGELIST m_normal = nullptr, m_state = nullptr;
    HIMAGELIST m_checkBoxes = nullptr; // the state images made for TVS_CHECKBOXES
    HFONT m_font = nullptr;
    int m_indent;
    int m_itemHeight;
    bool m_heightSet = false;
    int m_scrollX = 0;
    COLORREF m_bk = CLR_NONE, m_text = CLR_NONE, m_line = CLR_DEFAULT;
    int m_calls = 0;
    bool m_destroyed = false;
    bool m_deleting = false;
    bool m_inScrollUpdate = false;
    bool m_invalid = false;
    bool m_redraw = true;
};

} // namespace emu::comctl
