// Item paths: ImpByPaths, GetItemByDir, CheckFz, Explode, GetItemDir and GetLeafDirs on trees built from
// the input, with the properties that hold for every tree:
// - Explode's components, joined with backslashes, give the path without its leading backslashes and
//   without one closing backslash;
// - GetLeafDirs below an item lists, in pre-order, the path of every leaf of its branch as GetItemDir
//   writes it;
// - a path made by GetItemDir of an item under the first top-level item whose texts are not empty and hold
//   no backslash resolves back to the first item with that path: the one reached by taking, from the first
//   top-level item down, the first child with each text.
//
// Input: a byte of flags (bit 0: the first import clears the tree), then lines. A line's first byte says
// what it is: 0 a path imported by ImpByPaths, 1 an item added by AddItem under the item its second byte
// picks, with the rest as its text, 2 a path only looked up.
#include "FuzzHost.h"
#include "FuzzInput.h"
#include "ItemHandle.h"

#include <vector>

namespace {

std::string Join(const CStringArray& arr) {
    std::string text;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        text += (i > 0 ? "\\" : "") + std::string(arr[i]);
    return text;
}

// The path as far as a string of the framework holds it: up to a first zero byte.
void CheckExplode(CFuzzTree& tree, const std::string& bytes) {
    const std::string path = bytes.c_str();
    CString strPath = path.c_str();
    CStringArray components;
    tree.Explode(strPath, &components);
    Require(components.GetSize() >= 1, "Explode gave no component");
    std::string expected = path.substr(std::min(path.find_first_not_of('\\'), path.size()));
    if (!expected.empty() && expected.back() == '\\')
        expected.pop_back();
    Require(Join(components) == expected, "Explode's components do not make the path again: " + path);
    Require(std::string(strPath) == path, "Explode changed its path");
}

// The texts from the top-level item down to the item, or false when one is empty or holds a backslash.
bool PlainTexts(const CTreeCtrl& tree, HTREEITEM hItem, std::vector<std::string>& texts) {
    texts.clear();
    for (HTREEITEM h = hItem; h != NULL; h = tree.GetParentItem(h)) {
        std::string text(tree.GetItemText(h));
        if (text.empty() || text.find('\\') != std::string::npos)
            return false;
        texts.insert(texts.begin(), text);
    }
    return true;
}

// The first item with the texts: the first top-level item, then at each level its first child with the text.
HTREEITEM FirstWithTexts(const CTreeCtrl& tree, const std::vector<std::string>& texts) {
    HTREEITEM hItem = tree.GetRootItem();
    if (hItem == NULL || std::string(tree.GetItemText(hItem)) != texts[0])
        return NULL;
    for (size_t level = 1; level < texts.size() && hItem != NULL; ++level) {
        HTREEITEM hChild = tree.GetChildItem(hItem);
        while (hChild != NULL && std::string(tree.GetItemText(hChild)) != texts[level])
            hChild = tree.GetNextSiblingItem(hChild);
        hItem = hChild;
    }
    return hItem;
}

void CheckPaths(CFuzzTree& tree) {
    std::vector<HTREEITEM> items = ItemsOf(tree);
    std::vector<std::string> texts;
    for (HTREEITEM hItem : items) {
        CString strDir;
        tree.GetItemDir(strDir, hItem);
        HTREEITEM hFound = tree.GetItemByDir(strDir);
        Require(hFound == NULL || IsItemOf(tree, hFound), "GetItemByDir gave no item of the tree");
        if (PlainTexts(tree, hItem, texts) && texts[0] == std::string(tree.GetItemText(tree.GetRootItem())))
            Require(hFound == FirstWithTexts(tree, texts),
                    "the path of an item does not resolve to the first item with it: " + std::string(strDir));
        CString strText = tree.GetItemText(hItem);
        if (strText.Find('\\') < 0)
            Require(tree.CheckFz(hItem, strText) == hItem, "an item's own text does not find it");
    }
    // The leaves of the first branch, and of the first item's first child's branch, against GetItemDir.
    for (HTREEITEM hTop : {tree.GetRootItem(), tree.GetChildItem(tree.GetRootItem())}) {
        if (hTop == NULL)
            continue;
        CString strTop;
        tree.GetItemDir(strTop, hTop);
        CStringArray leaves;
        COrnTreeCtrl::GetLeafDirs(tree, strTop, hTop, leaves);
        std::vector<std::string> expected;
        for (HTREEITEM hItem : items) {
            bool bBelow = false;
            for (HTREEITEM h = hItem; h != NULL && !bBelow; h = tree.GetParentItem(h))
                bBelow = h == hTop;
            if (bBelow && !tree.ItemHasChildren(hItem)) {
                CString strDir;
                tree.GetItemDir(strDir, hItem);
                expected.push_back(std::string(strDir));
            }
        }
        Require(static_cast<size_t>(leaves.GetSize()) == expected.size(), "GetLeafDirs lists other leaves");
        for (size_t i = 0; i < expected.size(); ++i)
            Require(std::string(leaves[static_cast<INT_PTR>(i)]) == expected[i], "a leaf path differs");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FuzzHost host;
    CFuzzTree& tree = host.m_tree;
    bool bClear = in.Flag();
    std::vector<std::string> lookups;
    while (!in.Empty()) {
        std::string line = in.Text();
        uint8_t kind = line.empty() ? 0 : static_cast<uint8_t>(line[0]) % 3;
        std::string rest = line.empty() ? line : line.substr(1);
        if (kind == 0) {
            CStringArray paths;
            paths.Add(rest.c_str());
            tree.ImpByPaths(&paths, 0, bClear);
            bClear = false;
        } else if (kind == 1) {
            std::vector<HTREEITEM> items = ItemsOf(tree);
            size_t pick = rest.empty() ? 0 : static_cast<uint8_t>(rest[0]);
            HTREEITEM hParent = pick >= items.size() ? TVI_ROOT : items[pick];
            tree.AddItem(hParent, rest.empty() ? "" : rest.substr(1).c_str(), TVI_LAST, 0, 0, 0);
        } else {
            lookups.push_back(rest);
        }
        CheckExplode(tree, rest);
    }
    for (const std::string& path : lookups) {
        HTREEITEM hFound = tree.GetItemByDir(path.c_str());
        Require(hFound == NULL || IsItemOf(tree, hFound), "GetItemByDir gave no item of the tree");
        HTREEITEM hFromTop = tree.CheckFz(tree.GetRootItem(), path.c_str());
        Require(hFromTop == hFound, "CheckFz from the first item differs from GetItemByDir");
    }
    CheckPaths(tree);
    host.RequireSound();
    return 0;
}
