#include "TalCheckBoxTreeCtrl.h"

#include "CheckClick.h"

// Chained to the plain tree control's map: none of the general tree's handlers run for this control.
BEGIN_MESSAGE_MAP(CTalCheckBoxTreeCtrl, CTreeCtrl)
ON_NOTIFY_REFLECT(NM_CLICK, &CTalCheckBoxTreeCtrl::OnClick)
END_MESSAGE_MAP()

CTalCheckBoxTreeCtrl::CTalCheckBoxTreeCtrl() {}

CTalCheckBoxTreeCtrl::~CTalCheckBoxTreeCtrl() {}

void CTalCheckBoxTreeCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    UNUSED_ALWAYS(pNMHDR);
    HTREEITEM hItem = ItemClickedOnBox(*this);
    if (hItem != NULL) {
        ClickItem(hItem);
        // Sent after the toggle, so the parent reads the new images; also for an item that was refused.
        GetParent()->SendMessage(WM_CHECKTREE_ITEMCLICK, reinterpret_cast<WPARAM>(hItem), 0);
    }
    *pResult = 0;
}
