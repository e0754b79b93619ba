// Chains of items, each the only child of the one before, far deeper than a walk on the call stack could
// follow: imported, walked, expanded and read back as paths.
#include "PathsHost.h"

#include <cstring>

namespace {

using Strings = std::vector<std::string>;

// A chain built by importing ID records into the emulated tree view: record i has ID i + 1 and the
// previous record's ID as its parent. The import finds each parent through its index of the chain, so it
// grows with the depth, as do the walks, the path lookups and expanding the whole chain.
class ImportedChain : public PathsHost {
protected:
    static constexpr int kDepth = 100000;

    static std::string Text(int i) { return "n" + std::to_string(i); }
    static std::string PathTo(int depth) {
        std::string path = Text(0);
        for (int i = 1; i < depth; ++i)
            path += "\\" + Text(i);
        return path;
    }
    void ImportChain() {
        Strings records;
        for (int i = 0; i < kDepth; ++i) {
            for (const std::string& field :
                 {std::string("0"), std::to_string(i == 0 ? -1 : i), std::to_string(i + 1), Text(i)})
                records.push_back(field);
        }
        CStringArray arr;
        m_hDeepest = m_tree.ImpByIds(FillArray(arr, records), true, kDepth);
    }
    HTREEITEM m_hDeepest = nullptr;
    int CountExpandedAbove(HTREEITEM hItem) {
        int nExpanded = 0;
        for (HTREEITEM h = m_tree.GetParentItem(hItem); h != nullptr; h = m_tree.GetParentItem(h))
            nExpanded += IsExpanded(h) ? 1 : 0;
        return nExpanded;
    }
};

// The chain by IDs, then the same chain again from the deepest item's path.
TEST_F(ImportedChain, ImportsWalksAndExpands) {
    ImportChain();
    ASSERT_NE(m_hDeepest, nullptr);
    EXPECT_EQ(m_tree.GetCount(), static_cast<UINT>(kDepth));
    EXPECT_EQ(m_tree.FindHandleByID(kDepth, m_tree.GetRootItem()), m_hDeepest);
    CString strDir;
    m_tree.GetItemDir(strDir, m_hDeepest);
    EXPECT_EQ(std::string(strDir), PathTo(kDepth));
    EXPECT_EQ(m_tree.GetItemByDir(strDir), m_hDeepest);
    CStringArray leaves;
    COrnTreeCtrl::GetLeafDirs(m_tree, Text(0).c_str(), m_tree.GetRootItem(), leaves);
    EXPECT_EQ(ToVector(leaves), Strings{PathTo(kDepth)});
    EXPECT_TRUE(m_tree.ExpandById(kDepth));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hDeepest);
    EXPECT_EQ(CountExpandedAbove(m_hDeepest), kDepth - 1);

    CStringArray paths;
    paths.Add(strDir);
    m_tree.ImpByPaths(&paths, 0, true);
    std::vector<Row> rows = ReadTree(m_tree);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kDepth));
    EXPECT_EQ(Format(rows.back()), std::string(2 * (kDepth - 1), ' ') + Text(kDepth - 1) + " 0/0 #0");
    m_tree.ImpByPaths(&paths, 0, false);
    EXPECT_EQ(m_tree.GetCount(), static_cast<UINT>(kDepth)) << "every component is found again";
    m_tree.ExpandAll(m_tree.GetRootItem());
    HTREEITEM hDeepest = m_tree.GetItemByDir(strDir);
    ASSERT_NE(hDeepest, nullptr);
    EXPECT_EQ(CountExpandedAbove(hDeepest), kDepth - 1);
}

// A tree-view model answering the requests of the operations for a chain of a million items, item i with
// text "x" and ID i + 1, and for the items imported below or beside it; everything else still goes to the
// tree view. It records every request in order, so that the order of the expand requests can be compared
// for the whole chain.
class ChainModel {
public:
    ChainModel(HWND hwnd, int depth) : m_hwnd(hwnd) {
        m_items.reserve(static_cast<size_t>(depth) + 8);
        for (int i = 0; i < depth; ++i)
            Add(i - 1, "x", i + 1);
        s_pActive = this;
        m_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainModel::Proc)));
    }
    ~ChainModel() {
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_proc));
        s_pActive = nullptr;
    }
    ChainModel(const ChainModel&) = delete;
    ChainModel& operator=(const ChainModel&) = delete;

    static HTREEITEM Item(int i) { return reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(kFirst + i)); }
    int Count() const { return static_cast<int>(m_items.size()); }
    int ParentOf(int i) const { return m_items[static_cast<size_t>(i)].parent; }
    bool IsExpanded(int i) const { return m_items[static_cast<size_t>(i)].expanded; }
    int Selected() const { return m_selected; }
    // The items TVM_EXPAND was sent for, in order.
    std::vector<int> m_expandRequests;

private:
    struct Node {
        int parent, firstChild = -1, lastChild = -1, next = -1;
        LONG id;
        std::string text;
        bool expanded = false;
    };
    static constexpr uintptr_t kFirst = 0x02000000;

    int Add(int parent, std::string text, LONG id) {
        int i = Count();
        m_items.push_back({parent, -1, -1, -1, id, std::move(text)});
        int& last = parent < 0 ? m_lastTop : m_items[static_cast<size_t>(parent)].lastChild;
        if (last >= 0)
            m_items[static_cast<size_t>(last)].next = i;
        else if (parent >= 0)
            m_items[static_cast<size_t>(parent)].firstChild = i;
        last = i;
        return i;
    }
    int IndexOf(HTREEITEM hItem) const {
        uintptr_t value = reinterpret_cast<uintptr_t>(hItem);
        return value >= kFirst && value < kFirst + m_items.size() ? static_cast<int>(value - kFirst) : -1;
    }
    static LRESULT Handle(int i) { return i < 0 ? 0 : reinterpret_cast<LRESULT>(Item(i)); }

    LRESULT Answer(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
        case TVM_GETNEXTITEM: {
            HTREEITEM hItem = reinterpret_cast<HTREEITEM>(lp);
            int i = IndexOf(hItem);
            switch (wp) {
            case TVGN_ROOT:
                return Handle(0);
            case TVGN_CARET:
                return Handle(m_selected);
            case TVGN_CHILD:
                return hItem == nullptr || hItem == TVI_ROOT
                           ? Handle(0)
                           : Handle(i < 0 ? -1 : m_items[static_cast<size_t>(i)].firstChild);
            case TVGN_NEXT:
                return Handle(i < 0 ? -1 : m_items[static_cast<size_t>(i)].next);
            case TVGN_PARENT:
                return Handle(i < 0 ? -1 : m_items[static_cast<size_t>(i)].parent);
            default:
                return 0;
            }
        }
        case TVM_GETITEMA: {
            auto* item = reinterpret_cast<TVITEMA*>(lp);
            int i = IndexOf(item->hItem);
            if (i < 0)
                return FALSE;
            const Node& node = m_items[static_cast<size_t>(i)];
            if (item->mask & TVIF_TEXT) {
                size_t n = std::min(node.text.size(), static_cast<size_t>(item->cchTextMax - 1));
                std::memcpy(item->pszText, node.text.data(), n);
                item->pszText[n] = '\0';
            }
            if (item->mask & TVIF_PARAM)
                item->lParam = node.id;
            if (item->mask & TVIF_CHILDREN)
                item->cChildren = node.firstChild >= 0 ? 1 : 0;
            item->state = node.expanded ? TVIS_EXPANDED : 0;
            return TRUE;
        }
        case TVM_SETITEMA: {
            auto* item = reinterpret_cast<const TVITEMA*>(lp);
            int i = IndexOf(item->hItem);
            if (i < 0 || item->mask != TVIF_PARAM)
                return FALSE;
            m_items[static_cast<size_t>(i)].id = static_cast<LONG>(item->lParam);
            return TRUE;
        }
        case TVM_INSERTITEMA: {
            auto* is = reinterpret_cast<const TVINSERTSTRUCTA*>(lp);
            bool bTop = is->hParent == nullptr || is->hParent == TVI_ROOT;
            int parent = bTop ? -1 : IndexOf(is->hParent);
            if ((!bTop && parent < 0) || is->hInsertAfter != TVI_LAST)
                return 0;
            return Handle(Add(parent, is->item.pszText, static_cast<LONG>(is->item.lParam)));
        }
        case TVM_EXPAND: {
            int i = IndexOf(reinterpret_cast<HTREEITEM>(lp));
            m_expandRequests.push_back(i);
            if (i < 0 || m_items[static_cast<size_t>(i)].firstChild < 0)
                return FALSE;
            m_items[static_cast<size_t>(i)].expanded = true;
            return TRUE;
        }
        case TVM_SELECTITEM: {
            int i = IndexOf(reinterpret_cast<HTREEITEM>(lp));
            if (i < 0)
                return FALSE;
            m_selected = i;
            return TRUE;
        }
        default:
            return CallWindowProcA(m_proc, m_hwnd, msg, wp, lp);
        }
    }
    static LRESULT CALLBACK Proc(HWND, UINT msg, WPARAM wp, LPARAM lp) {
        return s_pActive->Answer(msg, wp, lp);
    }

    static inline ChainModel* s_pActive = nullptr;
    HWND m_hwnd;
    WNDPROC m_proc;
    std::vector<Node> m_items;
    int m_lastTop = -1;
    int m_selected = -1;
};

class MillionChain : public PathsHost {
protected:
    static constexpr int kDepth = 1000000;

    void SetUp() override {
        PathsHost::SetUp();
        m_pChain = std::make_unique<ChainModel>(m_tree.m_hWnd, kDepth);
    }
    void TearDown() override {
        m_pChain.reset();
        PathsHost::TearDown();
    }
    static std::string FullPath() {
        std::string path(2 * kDepth - 1, '\\');
        for (size_t i = 0; i < path.size(); i += 2)
            path[i] = 'x';
        return path;
    }
    std::unique_ptr<ChainModel> m_pChain;
};

TEST_F(MillionChain, FindsByIDAtTheBottomAndWalksAllOfItForAMissingID) {
    EXPECT_EQ(m_tree.FindHandleByID(kDepth, m_tree.GetRootItem()), ChainModel::Item(kDepth - 1));
    EXPECT_EQ(m_tree.FindHandleByID(kDepth + 1, m_tree.GetRootItem()), nullptr);
}

TEST_F(MillionChain, ExpandsEveryAncestorNearestFirstAndSelects) {
    EXPECT_TRUE(m_tree.ExpandById(kDepth));
    const std::vector<int>& requests = m_pChain->m_expandRequests;
    ASSERT_EQ(requests.size(), static_cast<size_t>(kDepth));
    for (int n = 0; n < kDepth - 1; ++n)
        ASSERT_EQ(requests[static_cast<size_t>(n)], kDepth - 2 - n) << "request " << n;
    EXPECT_EQ(requests.back(), kDepth - 1);
    EXPECT_EQ(m_pChain->Selected(), kDepth - 1);
}

TEST_F(MillionChain, ExpandsTheWholeBranch) {
    m_tree.ExpandAll(m_tree.GetRootItem());
    std::vector<int> expected{0};
    for (int i = 1; i < kDepth; ++i) {
        expected.push_back(i);
        if (i < kDepth - 1)
            expected.push_back(i);
    }
    EXPECT_TRUE(m_pChain->m_expandRequests == expected);
    int nExpanded = 0;
    for (int i = 0; i < kDepth; ++i)
        nExpanded += m_pChain->IsExpanded(i) ? 1 : 0;
    EXPECT_EQ(nExpanded, kDepth - 1);
}

TEST_F(MillionChain, ReadsAndResolvesPaths) {
    const std::string path = FullPath();
    CString strDir;
    m_tree.GetItemDir(strDir, ChainModel::Item(kDepth - 1));
    EXPECT_TRUE(std::string(strDir) == path);

    EXPECT_EQ(m_tree.GetItemByDir(path.c_str()), ChainModel::Item(kDepth - 1));
    EXPECT_EQ(m_tree.GetItemByDir((path + "\\x").c_str()), nullptr);
    EXPECT_EQ(m_tree.GetItemByDir((path.substr(0, path.size() - 1) + "y").c_str()), nullptr);

    CStringArray leaves;
    leaves.Add("kept");
    COrnTreeCtrl::GetLeafDirs(m_tree, "x", m_tree.GetRootItem(), leaves);
    ASSERT_EQ(leaves.GetSize(), 2);
    EXPECT_TRUE(std::string(leaves[1]) == path);
}

// The import's index of the first branch takes in the whole chain, once; both records are looked up in it.
TEST_F(MillionChain, ImportsRecordsBelowTheBottom) {
    CStringArray records;
    HTREEITEM hNew =
        m_tree.ImpByIds(FillArray(records, {"0", std::to_string(kDepth), std::to_string(kDepth + 1), "below",
                                            "0", "-1", std::to_string(kDepth), "again"}),
                        false, kDepth + 1);
    EXPECT_EQ(hNew, ChainModel::Item(kDepth));
    EXPECT_EQ(m_pChain->Count(), kDepth + 1) << "the second record's ID is the bottom item's";
    EXPECT_EQ(m_pChain->ParentOf(kDepth), kDepth - 1);
    EXPECT_EQ(m_tree.FindHandleByID(kDepth + 1, m_tree.GetRootItem()), hNew);
}

// The same chain in the emulated tree view itself, inserted item by item.
class MillionChainInTheTreeView : public PathsHost {
protected:
    static constexpr int kDepth = 1000000;
};

TEST_F(MillionChainInTheTreeView, FindsReadsResolvesExpandsAndImportsBelowTheBottom) {
    HTREEITEM hBottom = TVI_ROOT;
    for (int i = 0; i < kDepth; ++i)
        hBottom = m_tree.AddItem(hBottom, "x", TVI_LAST, 0, 0, i + 1);
    ASSERT_NE(hBottom, nullptr);

    EXPECT_EQ(m_tree.FindHandleByID(kDepth, m_tree.GetRootItem()), hBottom);
    CString strDir;
    m_tree.GetItemDir(strDir, hBottom);
    EXPECT_EQ(strDir.GetLength(), 2 * kDepth - 1);
    EXPECT_EQ(m_tree.GetItemByDir(strDir), hBottom);
    CStringArray leaves;
    COrnTreeCtrl::GetLeafDirs(m_tree, "x", m_tree.GetRootItem(), leaves);
    ASSERT_EQ(leaves.GetSize(), 1);
    EXPECT_TRUE(leaves[0] == strDir);

    EXPECT_TRUE(m_tree.ExpandById(kDepth));
    EXPECT_EQ(m_tree.GetSelectedItem(), hBottom);
    EXPECT_TRUE(IsExpanded(m_tree.GetRootItem()));

    CStringArray records;
    HTREEITEM hNew = m_tree.ImpByIds(
        FillArray(records, {"0", std::to_string(kDepth), std::to_string(kDepth + 1), "below"}), false,
        kDepth + 1);
    ASSERT_NE(hNew, nullptr);
    EXPECT_EQ(m_tree.GetParentItem(hNew), hBottom);
}

} // namespace
