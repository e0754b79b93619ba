// Whether a tree view's items still form a sound tree, as far as its public messages tell: every handle it
// reports (items reached from the root, the selection, the drop highlight, the first visible item) is one
// of its items, each child names its parent, siblings link both ways, and the count matches the walk.
#pragma once

#include <afxcmn.h>

#include "ItemHandle.h"

#include <algorithm>
#include <string>
#include <vector>

// An empty text when the tree is sound, else the first fault found. The items reached are kept in a vector
// and sorted at the end, as fuzzers check every tree after every step; a walk that reaches more items than
// the count stops there, so that links that loop cannot keep it going.
inline std::string FindTreeFault(const CTreeCtrl& tree) {
    const size_t nCount = tree.GetCount();
    std::vector<HTREEITEM> seen;
    const HTREEITEM hRoot = tree.GetRootItem();
    // Items whose children are still to be walked, each with its parent.
    std::vector<std::pair<HTREEITEM, HTREEITEM>> open{{hRoot, NULL}};
    while (!open.empty()) {
        auto [hItem, hParent] = open.back();
        open.pop_back();
        HTREEITEM hPrev = NULL;
        for (; hItem != NULL; hPrev = hItem, hItem = tree.GetNextSiblingItem(hItem)) {
            // The item's own links tell whether it is one, as IsItemOf asks them: each is read once.
            const HTREEITEM hItemParent = tree.GetParentItem(hItem);
            const HTREEITEM hItemPrev = tree.GetPrevSiblingItem(hItem);
            if (hItemParent == NULL && hItemPrev == NULL && hItem != hRoot)
                return "a walk reached a handle that is not an item";
            if (seen.size() == nCount)
                return "a walk reached more items than the count";
            seen.push_back(hItem);
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
    std::sort(seen.begin(), seen.end());
    if (std::adjacent_find(seen.begin(), seen.end()) != seen.end())
        return "an item was reached twice";
    if (seen.size() != nCount)
        return "the count differs from the items reached";
    for (HTREEITEM hItem : {tree.GetSelectedItem(), tree.GetDropHilightItem(), tree.GetFirstVisibleItem()})
        if (hItem != NULL && !std::binary_search(seen.begin(), seen.end(), hItem))
            return "the selection, highlight or first visible item is not an item";
    return "";
}
