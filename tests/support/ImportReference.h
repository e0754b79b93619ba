// The imports of the general tree as they are defined, step by step, for comparison with the control's own
// (tests) and for measuring what the control saves (benchmarks). TTree exposes the control's protected
// ImpItem, Explode and CheckFz.
#pragma once

#include <afxcmn.h>

// Each record through ImpItem; the first item with the wanted ID is the result.
template <class TTree>
HTREEITEM ReferenceImpByIds(TTree& tree, CStringArray* pRecords, bool bClear, long lWantedID) {
    if (bClear)
        tree.DeleteAllItems();
    HTREEITEM hWanted = nullptr;
    int nRecords = static_cast<int>(pRecords->GetSize() / 4);
    for (int nRecord = 0; nRecord < nRecords; ++nRecord) {
        HTREEITEM hItem = tree.ImpItem(pRecords, nRecord, lWantedID);
        if (hWanted == nullptr)
            hWanted = hItem;
    }
    tree.InvalidateRect(nullptr, TRUE);
    return hWanted;
}

// The trimmed path's components, each partial path looked up with CheckFz from the first top-level item,
// a missing component appended to the current parent.
template <class TTree> void ReferenceImpByPaths(TTree& tree, CStringArray* pPaths, bool bClear) {
    if (bClear)
        tree.DeleteAllItems();
    CStringArray arrComponents;
    for (INT_PTR iPath = 0; iPath < pPaths->GetSize(); ++iPath) {
        CString strWork = pPaths->GetAt(iPath);
        strWork.TrimLeft('\\');
        strWork.TrimRight('\\');
        strWork += '\\';
        tree.Explode(strWork, &arrComponents);
        CString strPartial;
        HTREEITEM hParent = TVI_ROOT;
        for (INT_PTR i = 0; i < arrComponents.GetSize(); ++i) {
            strPartial += '\\';
            strPartial += arrComponents[i];
            strPartial.TrimLeft('\\');
            HTREEITEM hItem = tree.CheckFz(tree.GetRootItem(), strPartial);
            if (hItem == nullptr)
                hItem =
                    tree.InsertItem(TVIF_TEXT, arrComponents[i].IsEmpty() ? " " : LPCSTR(arrComponents[i]), 0,
                                    0, 0, 0, 0, hParent, TVI_LAST);
            hParent = hItem;
        }
    }
    tree.InvalidateRect(nullptr, TRUE);
}
