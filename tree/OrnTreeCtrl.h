// The general tree control: item IDs and paths, bulk import, listener events, context menu, drag and drop.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>

#include "TalControlApi.h"
#include "CtrlBase.h"

class CTreeDropTarget;

// Every item carries an item ID, its 32-bit item data. The control reports finished label edits, selection
// changes and drops to its listener (CCtrlBase), and registers its own drop target when a window is
// attached, by subclassing or by creation.
//
// An item path names an item by the texts from its top-level item down, separated by single backslashes
// (`Catalog\Lighting\Lamp`). Searches by ID and by path, and the imports' lookups, visit only the first
// top-level item and its descendants. An item's image group is its image index divided by two (images 2k and
// 2k + 1 form group k); the drag-and-drop filters list image groups. The library never changes a tree after
// a drop: the listener carries out the copy or move.
class TALCONTROL_API COrnTreeCtrl : public CTreeCtrl, public CCtrlBase {
    friend class CTreeDropTarget;

public:
    // A control without a window; attach it to a tree-view window by subclassing or by creation.
    COrnTreeCtrl();
    // Frees the drag image (or a check tree's check images), the drop target, the filters and the event
    // arguments; the listener is the host's and is left alone.
    virtual ~COrnTreeCtrl();

    // Inserts an item under hParent after hInsertAfter (a sibling, TVI_FIRST or TVI_LAST) and returns it,
    // without raising an event. The fourth argument is the image shown while the item is selected, the fifth
    // the image shown otherwise; lData is the item ID. NULL when the tree refuses the item.
    HTREEITEM AddItem(HTREEITEM hParent, CString strText, HTREEITEM hInsertAfter, int nSelectedImage,
                      int nImage, long lData);
    // The host's menu resource shown on a right click (its first submenu); 0 shows none.
    void SetMenuID(UINT nMenuID);
    // During a label edit, Enter, Escape, Delete and any key while Control's state is nonzero go straight
    // to the edit box.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Item IDs and item paths.

    // The first item with the ID in hStart's branch (hStart and its descendants, depth first, a parent
    // before its children; hStart's siblings are not visited), or NULL.
    HTREEITEM FindHandleByID(long lID, HTREEITEM hStart);
    // Finds the item with the ID in the first top-level branch, expands its ancestors (the nearest first)
    // and the item itself, and selects it, which tells the listener when the selection changes. False when
    // no item has the ID, with nothing changed. An ID of 0 or less searches nothing and answers true.
    bool ExpandById(const long& lID);
    // Expands the item and every item below it that has children; a leaf, or NULL, is left alone.
    void ExpandAll(HTREEITEM hItem);
    // Replaces strDir with the item's path; NULL stands for the selected item, and without one strDir is
    // left as it was.
    void GetItemDir(CString& strDir, HTREEITEM hItem);
    // The item at the path, given as GetItemDir makes it (one trailing backslash is ignored), or NULL. The
    // texts are matched exactly (case and blanks count) from the first top-level item down, and only the
    // first child that matches a component is followed.
    HTREEITEM GetItemByDir(const CString& strDir);
    // Appends to arrDirs, for each leaf below hItem of any tree (depth first), strPrefix followed by a
    // backslash and the texts from hItem's child down to the leaf; for a leaf hItem, strPrefix alone.
    // hItem's own text is not added: pass it in strPrefix when wanted.
    static void GetLeafDirs(const CTreeCtrl& tree, CString strPrefix, HTREEITEM hItem, CStringArray& arrDirs);

    // Bulk import.

    // Inserts one item for each record of four strings (strings left over at the end are ignored), in
    // order: image group (images 2 x group and 2 x group + 1), parent ID (-1 for the top level), ID, text
    // (an empty one becomes one space). Numbers are decimal. A parent must come before its children; a
    // parent ID that is not found puts the item at the top level, and a record whose ID the first top-level
    // branch already holds is skipped. bClear empties the tree first; NULL does nothing. Returns the first
    // inserted item whose ID is lWantedID, or NULL.
    HTREEITEM ImpByIds(CStringArray* pRecords, bool bClear, long lWantedID);
    // Inserts the components of each item path that the tree lacks, as last children, with item ID 0 and
    // image 0 (an empty component becomes one space); backslashes at either end of a path are ignored.
    // Existing items are reused only in the first top-level branch: a path that starts at another top-level
    // text adds a new chain each time. bClear empties the tree first; NULL does nothing. ulUnused is not
    // read.
    void ImpByPaths(CStringArray* pPaths, unsigned long ulUnused, bool bClear);

    // Image filters of drag and drop.

    // Replaces the un-drag filter: items of this tree whose image group it lists cannot be dragged.
    void SetUnDragImages(const CArray<int, const int&>& arr);
    // Adds an image group to the un-drag filter.
    void AddUnDragImages(const int& n);
    // Replaces the un-drop filter: items dragged from this tree may not be dropped on an item, of any
    // tree, whose image group it lists.
    void SetUnDropImages(const CArray<int, const int&>& arr);
    // Adds an image group to the un-drop filter.
    void AddUnDropImages(const int& n);

    // Reports a drop on this tree to its listener as a copy or a move (CCtrlListener::OnDropCopy and
    // OnDropMove, with their arguments); the drop target calls it, and a host may too. Nothing without
    // pSource, or for an item that is not in its tree (hSourceItem in pSource's, hTargetItem in this one);
    // no move event when hTargetItem is already hSourceItem's parent.
    void UpdateDragDropData(bool bCopy, COrnTreeCtrl* pSource, HTREEITEM hSourceItem, HTREEITEM hTargetItem);

protected:
    // The item at the path, with hStart standing for its first component (see GetItemByDir), or NULL.
    HTREEITEM CheckFz(HTREEITEM hStart, const CString& strPath);
    // Replaces the list with the path's components (strPath is not changed): leading backslashes and one
    // trailing backslash are dropped, two in a row give an empty component, and an empty path gives one
    // empty component. NULL does nothing.
    void Explode(CString& strPath, CStringArray* pComponents);
    // Inserts the item of record nRecord as ImpByIds does; the new item when its ID is lWantedID, else NULL.
    // Throws CInvalidArgException when the record does not lie wholly inside the array.
    HTREEITEM ImpItem(CStringArray* pRecords, int nRecord, long lWantedID);

    // Registers the drop target; when that fails, initialises OLE (the box "Error" if that fails too) and
    // tries once more.
    virtual void PreSubclassWindow();

    // Registers the drop target once more, silently.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // The drag start is consumed here; the parent does not see it.
    afx_msg void OnBegindrag(NMHDR* pNMHDR, LRESULT* pResult);
    // Shows the context menu; the tree's own right-button processing never runs.
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    // The tree view's own handling, nothing more.
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    // Both tell the listener first and return FALSE, so that the parent receives the notification too.
    afx_msg BOOL OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult);
    // Raises FireEndLabelEdit for an edit that ended with a text, applies the text when the listener
    // agrees, and removes TVS_EDITLABELS; then returns FALSE, as OnSelchanged does.
    afx_msg BOOL OnEndlabeledit(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

    // The control's drop target, owned; registered with each window the control is attached to.
    CTreeDropTarget* m_pDropTarget;
    // The drag image of the current drag, or a check tree's check images.
    CImageList* m_pImageList;
    // Image groups (image index / 2) whose items may not be dragged, and onto which items dragged from this
    // tree may not be dropped.
    CArray<int, const int&> m_arrUnDragImages;
    // The un-drop filter (see m_arrUnDragImages).
    CArray<int, const int&> m_arrUnDropImages;
    // The context menu's resource ID; 0 for none.
    UINT m_nMenuID;
};
