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

#include <unordered_map>
#include <unordered_set>
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

// What the checks expect of an item, worked out from its parent's in one pre-order walk, so that checking a
// tree costs what its items do rather than their number times their depth.
struct Expected {
    HTREEITEM hParent = NULL;
    std::string text;
    // Every text from the top-level item down is not empty and holds no backslash.
    bool bPlain = false;
    // The top-level ancestor has the first top-level item's text.
    bool bUnderFirstText = false;
    // The first item with the same texts from the top down: the first top-level item, then at each level
    // the first child with the text (NULL when there is none).
    HTREEITEM hFirstWithTexts = NULL;
    bool bLeaf = false;
    CString strDir;
};

// The items in pre-order, each with what is expected of it.
std::vector<std::pair<HTREEITEM, Expected>> ExpectationsOf(CFuzzTree& tree) {
    std::vector<std::pair<HTREEITEM, Expected>> items;
    std::unordered_map<HTREEITEM, size_t> at;
    // For each item, its first child with each text.
    std::unordered_map<HTREEITEM, std::unordered_map<std::string, HTREEITEM>> firstChild;
    const HTREEITEM hRoot = tree.GetRootItem();
    const std::string rootText = hRoot != NULL ? std::string(tree.GetItemText(hRoot)) : "";
    std::vector<std::pair<HTREEITEM, HTREEITEM>> open{{hRoot, NULL}};
    while (!open.empty()) {
        auto [hItem, hParent] = open.back();
        open.pop_back();
        if (hItem == NULL)
            continue;
        Expected item;
        item.hParent = hParent;
        item.text = tree.GetItemText(hItem);
        item.bLeaf = !tree.ItemHasChildren(hItem);
        firstChild[hParent].try_emplace(item.text, hItem);
        const bool bPlainText = !item.text.empty() && item.text.find('\\') == std::string::npos;
        if (hParent == NULL) {
            item.bPlain = bPlainText;
            item.bUnderFirstText = item.text == rootText;
            item.hFirstWithTexts = item.bUnderFirstText ? hRoot : NULL;
        } else {
            const Expected& parent = items[at[hParent]].second;
            item.bPlain = bPlainText && parent.bPlain;
            item.bUnderFirstText = parent.bUnderFirstText;
            if (parent.hFirstWithTexts != NULL) {
                const auto& children = firstChild[parent.hFirstWithTexts];
                auto found = children.find(item.text);
                item.hFirstWithTexts = found != children.end() ? found->second : NULL;
            }
        }
        tree.GetItemDir(item.strDir, hItem);
        at[hItem] = items.size();
        items.emplace_back(hItem, std::move(item));
        open.push_back({tree.GetNextSiblingItem(hItem), hParent});
        open.push_back({tree.GetChildItem(hItem), hItem});
    }
    return items;
}

void CheckPaths(CFuzzTree& tree) {
    const std::vector<std::pair<HTREEITEM, Expected>> items = ExpectationsOf(tree);
    for (const auto& [hItem, item] : items) {
        HTREEITEM hFound = tree.GetItemByDir(item.strDir);
        Require(hFound == NULL || IsItemOf(tree, hFound), "GetItemByDir gave no item of the tree");
        if (item.bPlain && item.bUnderFirstText)
            Require(hFound == item.hFirstWithTexts,
                    "the path of an item does not resolve to the first item with it: " +
                        std::string(item.strDir));
        if (item.text.find('\\') == std::string::npos)
            Require(tree.CheckFz(hItem, item.text.c_str()) == hItem, "an item's own text does not find it");
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
        std::unordered_set<HTREEITEM> below{hTop};
        for (const auto& [hItem, item] : items) {
            if (hItem != hTop && below.count(item.hParent) == 0)
                continue;
            below.insert(hItem);
            if (item.bLeaf)
                expected.push_back(std::string(item.strDir));
        }
        Require(static_cast<size_t>(leaves.GetSize()) == expected.size(), "GetLeafDirs lists other leaves");
        for (size_t i = 0; i < expected.size(); ++i)
            Require(std::string(leaves[static_cast<INT_PTR>(i)]) == expected[i], "a leaf path differs");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FreshHost host;
    CFuzzTree& tree = host->m_tree;
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
    host->RequireSound();
    return 0;
}
