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
class TALCONTROL_API COrnTreeCtrl : public CTreeCtrl, public CCtrlBase {
    friend class CTreeDropTarget;

public:
    COrnTreeCtrl();
    virtual ~COrnTreeCtrl();

    // Single items. The fourth argument is the image shown while the item is selected, the fifth the
    // image shown otherwise; lData is the item ID. NULL when the tree refuses the item.
    HTREEITEM AddItem(HTREEITEM hParent, CString strText, HTREEITEM hInsertAfter, int nSelectedImage,
                      int nImage, long lData);
    // The host's menu resource shown on a right click (its first submenu); 0 shows none.
    void SetMenuID(UINT nMenuID);
    // During a label edit, Enter, Escape, Delete and any key while Control's state is nonzero go straight
    // to the edit box.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Item IDs and item paths.
    HTREEITEM FindHandleByID(long lID, HTREEITEM hStart);
    bool ExpandById(const long& lID);
    void ExpandAll(HTREEITEM hItem);
    void GetItemDir(CString& strDir, HTREEITEM hItem);
    HTREEITEM GetItemByDir(const CString& strDir);
    static void GetLeafDirs(const CTreeCtrl& tree, CString strPrefix, HTREEITEM hItem, CStringArray& arrDirs);

    // Bulk import.
    HTREEITEM ImpByIds(CStringArray* pRecords, bool bClear, long lWantedID);
    void ImpByPaths(CStringArray* pPaths, unsigned long ulUnused, bool bClear);

    // Image filters of drag and drop.
    void SetUnDragImages(const CArray<int, const int&>& arr);
    void AddUnDragImages(const int& n);
    void SetUnDropImages(const CArray<int, const int&>& arr);
    void AddUnDropImages(const int& n);

    // Reports a drop on this tree to its listener as a copy or a move.
    void UpdateDragDropData(bool bCopy, COrnTreeCtrl* pSource, HTREEITEM hSourceItem, HTREEITEM hTargetItem);

protected:
    HTREEITEM CheckFz(HTREEITEM hStart, const CString& strPath);
    void Explode(CString& strPath, CStringArray* pComponents);
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
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    // Both tell the listener first and return FALSE, so that the parent receives the notification too.
    afx_msg BOOL OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEndlabeledit(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

    CTreeDropTarget* m_pDropTarget;
    // The drag image of the current drag, or a check tree's check images.
    CImageList* m_pImageList;
    // Image groups (image index / 2) whose items may not be dragged, and onto which items dragged from this
    // tree may not be dropped.
    CArray<int, const int&> m_arrUnDragImages;
    CArray<int, const int&> m_arrUnDropImages;
    UINT m_nMenuID;
};
