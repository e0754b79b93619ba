#include "DragSource.h"

#include "OrnTreeCtrl.h"

#include <afxole.h>

HWND g_hDragSourceWnd = NULL;

void ForgetDragSource(HWND hWnd) {
    if (g_hDragSourceWnd == hWnd || !::IsWindow(g_hDragSourceWnd))
        g_hDragSourceWnd = NULL;
}

bool IsShownImageList(const CTreeCtrl& tree, const CImageList* pImageList) {
    CImageList* pShown = tree.GetImageList(TVSIL_NORMAL);
    return pImageList != NULL && pShown != NULL && pShown->GetSafeHandle() == pImageList->GetSafeHandle();
}

bool IsInImageFilter(const CArray<int, const int&>& arrFilter, int nImage) {
    int nGroup = nImage / 2;
    for (INT_PTR i = 0; i < arrFilter.GetSize(); ++i)
        if (arrFilter[i] == nGroup)
            return true;
    return false;
}

void COrnTreeCtrl::SetUnDragImages(const CArray<int, const int&>& arr) {
    m_arrUnDragImages.RemoveAll();
    m_arrUnDragImages.Append(arr);
}

void COrnTreeCtrl::AddUnDragImages(const int& n) {
    m_arrUnDragImages.Add(n);
}

void COrnTreeCtrl::SetUnDropImages(const CArray<int, const int&>& arr) {
    m_arrUnDropImages.RemoveAll();
    m_arrUnDropImages.Append(arr);
}

void COrnTreeCtrl::AddUnDropImages(const int& n) {
    m_arrUnDropImages.Add(n);
}

// The dragged item becomes the selection, which is how the drop target finds it. The drag carries no data.
void COrnTreeCtrl::OnBegindrag(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    HTREEITEM hItem = reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem;
    SelectItem(hItem);
    // The drop target finds the dragged item by the selection; the listener, told of the selection first,
    // may have deleted the item or selected another, and then there is nothing to drag.
    if (GetSelectedItem() != hItem)
        return;
    int nImage = 0, nSelectedImage = 0;
    GetItemImage(hItem, nImage, nSelectedImage);
    if (IsInImageFilter(m_arrUnDragImages, nImage))
        return;

    SelectDropTarget(hItem);
    COleDataSource* pDataSource = new COleDataSource;
    g_hDragSourceWnd = m_hWnd;
    // A check tree that a host made draggable keeps its check images; its drag image lasts for the drag.
    bool bChecks = IsShownImageList(*this, m_pImageList);
    if (!bChecks && m_pImageList != NULL) {
        delete m_pImageList;
        m_pImageList = NULL;
    }
    CImageList* pDragImage = CreateDragImage(hItem);
    if (!bChecks)
        m_pImageList = pDragImage;
    BOOL bImageDrag = FALSE;
    if (pDragImage != NULL) {
        ImageList_DragShowNolock(TRUE);
        ImageList_SetDragCursorImage(pDragImage->GetSafeHandle(), 0, 0, 0);
        bImageDrag = ImageList_BeginDrag(pDragImage->GetSafeHandle(), 0, 0, 0);
    }

    pDataSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, NULL, NULL);

    // Only this drag, while it runs, may be taken for a drop of this tree's selection.
    g_hDragSourceWnd = NULL;
    // A drop on a tree of the library has ended the image drag; after a cancel or a drop elsewhere the image
    // would stay on screen.
    if (bImageDrag && ImageList_GetDragImage(NULL, NULL) != NULL) {
        ImageList_DragLeave(m_hWnd);
        ImageList_EndDrag();
    }
    SelectDropTarget(NULL);
    if (bChecks)
        delete pDragImage;
    delete pDataSource;
    *pResult = 0;
}
