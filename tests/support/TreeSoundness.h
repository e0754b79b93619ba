// Whether a tree view's items still form a sound tree, as far as its public messages tell: every handle it
// reports (items reached from the root, the selection, the drop highlight, the first visible item) is one
// of its items, each child names its parent, siblings link both ways, and the count matches the walk.
#pragma once

#include <afxcmn.h>

#include "ItemHandle.h"

#include <string>
#include <unordered_set>
#include <vector>

// An empty text when the tree is sound, else the first fault found.
inline std::string FindTreeFault(const CTreeCtrl& tree) {
    std::unordered_set<HTREEITEM> seen;
    const HTREEITEM hRoot = tree.GetRootItem();
    // Items whose children are still to be walked, each with its parent.
    std::vector<std::pair<HTREEITEM, HTREEITEM>> open{{hRoot, NULL}};
    while (!open.empty()) {
        auto [hItem, hParent] = open.back();
        open.pop_back();
        HTREEITEM hPrev = NULL;
        for (; hItem != NULL; hPrev = hItem, hItem = tree.GetNextSiblingItem(hItem)) {
            // The item's own links tell whether it is one, as IsItemOf asks them: each is read once, as
            // fuzzers check every tree after every step.
            const HTREEITEM hItemParent = tree.GetParentItem(hItem);
            const HTREEITEM hItemPrev = tree.GetPrevSiblingItem(hItem);
            if (hItemParent == NULL && hItemPrev == NULL && hItem != hRoot)
                return "a walk reached a handle that is not an item";
            if (!seen.insert(hItem).second)
                return "an item was reached twice";
            if (hItemParent != hParent)
                return "an item names another parent";
            if (hItemPrev != hPrev)
                return "siblings do not link both ways";
            HTREEITEM hChild = tree.GetChildItem(hItem);
            if ((hChild != NULL) != (tree.ItemHasChildren(hItem) != FALSE))
                return "an item's children and its child flag differ";
            if (hChild != NULL)
                open.push_back({hChild, hItem});
        }
    }
    if (seen.size() != tree.GetCount())
        return "the count differs from the items reached";
    for (HTREEITEM hItem : {tree.GetSelectedItem(), tree.GetDropHilightItem(), tree.GetFirstVisibleItem()})
        if (hItem != NULL && seen.count(hItem) == 0)
            return "the selection, highlight or first visible item is not an item";
    return "";
}
