// A check tree that tells its parent window of every click on an item's box or label.
#pragma once

#include "OrnCheckTreeCtrl.h"

// Sent to the parent after a click on an item's box or label: wParam is the item, lParam 0.
#define WM_CHECKTREE_ITEMCLICK (WM_USER + 100)

class TALCONTROL_API CTalCheckBoxTreeCtrl : public COrnCheckTreeCtrl {
public:
    CTalCheckBoxTreeCtrl();
    virtual ~CTalCheckBoxTreeCtrl();

protected:
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
