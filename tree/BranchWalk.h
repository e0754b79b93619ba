// A depth-first, pre-order walk below a tree item that keeps the items it descends into on a list of its
// own rather than on the call stack, so that a branch of any depth can be walked.
#pragma once

#include <afxcmn.h>

#include <cstddef>
#include <vector>

// What the walk does after visiting an item.
enum class WalkStep {
    Descend, // walk the item's children, then go on with its next sibling
    Skip,    // go on with the item's next sibling
    Stop     // end the walk
};

// Visits the descendants of hItem (not hItem itself): each child in sibling order, followed by the children
// it is descended into before its next sibling. The visitor gets the item and its level below hItem (0 for
// hItem's children) and answers with a WalkStep. The tree is asked exactly what a recursive walk would ask,
// in the same order. True when the visitor stopped the walk.
template <class Visitor> bool WalkBranch(const CTreeCtrl& tree, HTREEITEM hItem, Visitor visit) {
    std::vector<HTREEITEM> open;
    HTREEITEM hNext = tree.GetChildItem(hItem);
    for (;;) {
        if (hNext == NULL) {
            if (open.empty())
                return false;
            hNext = tree.GetNextSiblingItem(open.back());
            open.pop_back();
            continue;
        }
        WalkStep step = visit(hNext, open.size());
        if (step == WalkStep::Stop)
            return true;
        if (step == WalkStep::Descend) {
            open.push_back(hNext);
            hNext = tree.GetChildItem(hNext);
        } else {
            hNext = tree.GetNextSiblingItem(hNext);
        }
    }
}
