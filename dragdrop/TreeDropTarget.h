// The drop target that every tree of the library registers for its window. While a drag passes over the
// tree it moves the drag image, highlights the item under the pointer and scrolls near the edges; at the
// drop it applies the drop rules and reports an accepted drop to the receiving tree's listener.
#pragma once

#include <afxcmn.h>
#include <afxole.h>

class COrnTreeCtrl;

class CTreeDropTarget : public COleDropTarget {
public:
    CTreeDropTarget();
    virtual ~CTreeDropTarget();

    // Copy with Ctrl held, move otherwise, wherever the pointer is: the rules apply only at the drop.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    // Works on the state the last OnDragOver left; TRUE when the drop is accepted.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);

    // The tree the current drop comes from, and the tree the pointer was last over or last left.
    COrnTreeCtrl* m_pSourceTree;
    COrnTreeCtrl* m_pTargetTree;

protected:
    static DROPEFFECT EffectFor(DWORD dwKeyState);
    // The tree behind a window that the framework passes, or NULL.
    static COrnTreeCtrl* TreeOf(CWnd* pWnd);
    void ScrollNear(CPoint point);
    // Whether the drop rules let the source tree's caret item go onto the target tree's highlight.
    bool CanDrop(HTREEITEM hSourceItem, HTREEITEM hTargetItem) const;
};
