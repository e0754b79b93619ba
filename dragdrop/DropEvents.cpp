#include "OrnTreeCtrl.h"

#include "EventArgs.h"
#include "ItemHandle.h"

// Source ID, target ID, source handle, target handle; an ID is -1 where there is no item. Moving an item
// onto its own parent changes nothing and is not reported, nor is a handle that is no item of its tree.
void COrnTreeCtrl::UpdateDragDropData(bool bCopy, COrnTreeCtrl* pSource, HTREEITEM hSourceItem,
                                      HTREEITEM hTargetItem) {
    if (pSource == NULL)
        return;
    if ((hSourceItem != NULL && !IsItemOf(*pSource, hSourceItem)) ||
        (hTargetItem != NULL && !IsItemOf(*this, hTargetItem)))
        return;
    CStringArray arrArgs;
    arrArgs.Add(hSourceItem != NULL ? FormatItemID(pSource->GetItemData(hSourceItem)) : CString("-1"));
    arrArgs.Add(hTargetItem != NULL ? FormatItemID(GetItemData(hTargetItem)) : CString("-1"));
    arrArgs.Add(FormatItemHandle(hSourceItem));
    arrArgs.Add(FormatItemHandle(hTargetItem));
    if (bCopy)
        FireDropCopy(&arrArgs);
    else if (hTargetItem != pSource->GetParentItem(hSourceItem))
        FireDropMove(&arrArgs);
}
