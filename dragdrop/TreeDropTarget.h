// The drop target that every tree of the library registers for its window.
#pragma once

#include <afxole.h>

class COrnTreeCtrl;

class CTreeDropTarget : public COleDropTarget {
public:
    CTreeDropTarget();
    virtual ~CTreeDropTarget();

    // The tree the current drop comes from, and the tree the pointer was last over or last left.
    COrnTreeCtrl* m_pSourceTree;
    COrnTreeCtrl* m_pTargetTree;
};
