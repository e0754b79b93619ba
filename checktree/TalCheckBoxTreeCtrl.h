// A check tree that tells its parent window of every click on an item's box or label.
#pragma once

#include "OrnCheckTreeCtrl.h"

// Sent to the parent after a click on an item's box or label: wParam is the item, lParam 0. The item
// already shows its new state; the answer is ignored.
#define WM_CHECKTREE_ITEMCLICK (WM_USER + 100)

// The check images, check logic, item operations and drop target of COrnCheckTreeCtrl, without the message
// handlers of COrnTreeCtrl: no context menu, and no selection-change or label-edit events (the parent window
// gets those notifications as from a plain tree view); drops still reach the listener. CheckItem and
// ClickItem called from code send no notice.
class TALCONTROL_API CTalCheckBoxTreeCtrl : public COrnCheckTreeCtrl {
public:
    // A control without a window, as COrnTreeCtrl.
    CTalCheckBoxTreeCtrl();
    // As COrnCheckTreeCtrl's.
    virtual ~CTalCheckBoxTreeCtrl();

protected:
    // A click on an item's box or label toggles the item and then sends WM_CHECKTREE_ITEMCLICK to the
    // parent window, also for an item that is refused (and left unchanged).
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
