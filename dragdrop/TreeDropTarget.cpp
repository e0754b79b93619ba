#include "TreeDropTarget.h"

#include "DragSource.h"
#include "OrnTreeCtrl.h"

namespace {

// Depth of the auto-scroll zones along the edges, in pixels.
constexpr int kScrollZone = 10;

} // namespace

CTreeDropTarget::CTreeDropTarget() : m_pSourceTree(NULL), m_pTargetTree(NULL) {}

CTreeDropTarget::~CTreeDropTarget() {}

DROPEFFECT CTreeDropTarget::EffectFor(DWORD dwKeyState) {
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

COrnTreeCtrl* CTreeDropTarget::TreeOf(CWnd* pWnd) {
    return dynamic_cast<COrnTreeCtrl*>(pWnd);
}

DROPEFFECT CTreeDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                        CPoint point) {
    UNUSED_ALWAYS(pDataObject);
    ImageList_DragEnter(pWnd != NULL ? pWnd->m_hWnd : NULL, point.x, point.y);
    return EffectFor(dwKeyState);
}

DROPEFFECT CTreeDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                       CPoint point) {
    UNUSED_ALWAYS(pDataObject);
    DROPEFFECT dropEffect = EffectFor(dwKeyState);
    ImageList_DragMove(point.x, point.y);
    m_pTargetTree = TreeOf(pWnd);
    if (m_pTargetTree != NULL) {
        // Below the last item the highlight stays where it was, so a release there drops onto it.
        HTREEITEM hItem = m_pTargetTree->HitTest(point);
        if (hItem != NULL)
            m_pTargetTree->SelectDropTarget(hItem);
        ScrollNear(point);
    }
    return dropEffect;
}

// One line or column per call in each direction; the zones have no outer bound, so a point beyond the client
// area scrolls too.
void CTreeDropTarget::ScrollNear(CPoint point) {
    CRect rect;
    m_pTargetTree->GetClientRect(&rect);
    if (point.y >= rect.Height() - kScrollZone)
        m_pTargetTree->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    else if (point.y <= kScrollZone)
        m_pTargetTree->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    if (point.x <= kScrollZone)
        m_pTargetTree->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), 0);
    else if (point.x >= rect.Width() - kScrollZone)
        m_pTargetTree->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
}

void CTreeDropTarget::OnDragLeave(CWnd* pWnd) {
    m_pTargetTree = TreeOf(pWnd);
    if (m_pTargetTree != NULL)
        m_pTargetTree->SelectDropTarget(NULL);
}

// Only a drag that a tree of the library is running names a source; any other drop is refused. Once the
// source is known, the image drag ends whether or not the rules then accept the drop.
BOOL CTreeDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
    UNUSED_ALWAYS(pWnd);
    UNUSED_ALWAYS(pDataObject);
    UNUSED_ALWAYS(point);
    m_pSourceTree = TreeOf(CWnd::FromHandlePermanent(g_hDragSourceWnd));
    if (m_pSourceTree == NULL)
        return FALSE;
    HTREEITEM hSourceItem = m_pSourceTree->GetSelectedItem();
    HTREEITEM hTargetItem = m_pTargetTree != NULL ? m_pTargetTree->GetDropHilightItem() : NULL;
    ImageList_EndDrag();
    if (m_pSourceTree->m_pImageList != NULL &&
        !IsShownImageList(*m_pSourceTree, m_pSourceTree->m_pImageList)) {
        delete m_pSourceTree->m_pImageList;
        m_pSourceTree->m_pImageList = NULL;
    }
    if (!CanDrop(hSourceItem, hTargetItem))
        return FALSE;
    if (dropEffect == DROPEFFECT_MOVE)
        m_pTargetTree->UpdateDragDropData(false, m_pSourceTree, hSourceItem, hTargetItem);
    else if (dropEffect == DROPEFFECT_COPY)
        m_pTargetTree->UpdateDragDropData(true, m_pSourceTree, hSourceItem, hTargetItem);
    return TRUE;
}

// The rules in order; the first that fails refuses. Both filters are the source tree's.
bool CTreeDropTarget::CanDrop(HTREEITEM hSourceItem, HTREEITEM hTargetItem) const {
    if (m_pTargetTree == NULL || hTargetItem == NULL)
        return false;
    int nImage = 0, nSelectedImage = 0;
    if (hSourceItem != NULL) {
        m_pSourceTree->GetItemImage(hSourceItem, nImage, nSelectedImage);
        if (IsInImageFilter(m_pSourceTree->m_arrUnDragImages, nImage))
            return false;
    }
    nImage = 0;
    m_pTargetTree->GetItemImage(hTargetItem, nImage, nSelectedImage);
    if (IsInImageFilter(m_pSourceTree->m_arrUnDropImages, nImage))
        return false;
    // Not onto itself or a descendant.
    for (HTREEITEM hItem = hTargetItem; hItem != NULL; hItem = m_pTargetTree->GetParentItem(hItem))
        if (hItem == hSourceItem)
            return false;
    // A top-level item is never dropped.
    return hSourceItem != NULL && m_pSourceTree->GetParentItem(hSourceItem) != NULL;
}
