// Where a click on a check tree landed; shared by the click handlers of both check trees.
#pragma once

#include <afxcmn.h>

// The item whose box or label is under the pointer position of the message being processed, else NULL.
inline HTREEITEM ItemClickedOnBox(const CTreeCtrl& tree) {
    CPoint point(CWnd::GetCurrentMessage()->pt);
    tree.ScreenToClient(&point);
    UINT nFlags = 0;
    HTREEITEM hItem = tree.HitTest(point, &nFlags);
    return (nFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)) != 0 ? hItem : NULL;
}
