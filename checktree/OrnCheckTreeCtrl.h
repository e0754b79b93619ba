// A tri-state check tree: each item's image is its check box (unchecked, checked, partly checked).
#pragma once

#include "OrnTreeCtrl.h"

class TALCONTROL_API COrnCheckTreeCtrl : public COrnTreeCtrl {
public:
    COrnCheckTreeCtrl();
    virtual ~COrnCheckTreeCtrl();

    // 1 done, 0 refused, -1 already in the requested state.
    int CheckItem(HTREEITEM hItem, bool bCheck);
    bool ClickItem(HTREEITEM hItem);
    void TravelChild(HTREEITEM hItem, int nImage);

protected:
    void TravelSiblingAndParent(HTREEITEM hItem, int nImage);
    virtual void PreSubclassWindow();

    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
