// Telling a tree's own items from other handles.
#pragma once

#include <afxcmn.h>

// Whether the tree holds the item; an item of another tree, a deleted item or a made-up value is none.
// Reading an item accepts an item of another tree (its own tree's data is read), while the tree's links
// answer only for its own items: an item of the tree has a parent, or is the first top-level item, or has
// a previous sibling.
inline bool IsItemOf(const CTreeCtrl& tree, HTREEITEM hItem) {
    return hItem != NULL && (tree.GetParentItem(hItem) != NULL || tree.GetRootItem() == hItem ||
                             tree.GetPrevSiblingItem(hItem) != NULL);
}
