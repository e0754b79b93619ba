// Walks over chains of items far deeper than a walk on the call stack could follow.
#include "CheckHost.h"

#include <algorithm>
#include <vector>

namespace {

class DeepChain : public CheckHost<COrnCheckTreeCtrl> {
protected:
    // A chain of `depth` items in the emulated tree view, each the only child of the one before.
    std::vector<HTREEITEM> BuildChain(int depth) {
        std::vector<HTREEITEM> chain{m_tree.AddItem(TVI_ROOT, "0", TVI_LAST, 0, 0, 0)};
        for (int i = 1; i < depth; ++i)
            chain.push_back(m_tree.AddItem(chain.back(), "x", TVI_LAST, 0, 0, 0));
        return chain;
    }
    // How many items of the chain show the image.
    int CountShowing(const std::vector<HTREEITEM>& chain, int nImage) {
        return static_cast<int>(std::count_if(chain.begin(), chain.end(), [&](HTREEITEM h) {
            int nItemImage = -1, nSelectedImage = -1;
            m_tree.GetItemImage(h, nItemImage, nSelectedImage);
            return nItemImage == nImage && nSelectedImage == nImage;
        }));
    }
};

TEST_F(DeepChain, EveryLevelOfADeepChainFollowsAndAFork) {
    constexpr int kDepth = 3000;
    std::vector<HTREEITEM> chain = BuildChain(kDepth);

    EXPECT_EQ(m_tree.CheckItem(chain.front(), true), 1);
    EXPECT_EQ(CountShowing(chain, 2), kDepth);
    EXPECT_EQ(m_tree.CheckItem(chain.back(), false), 1);
    EXPECT_EQ(CountShowing(chain, 0), kDepth) << "an only child takes its parent along, up to the top";

    // A second child halfway down: checking it leaves its own parent and everything above partly checked.
    HTREEITEM hFork = m_tree.AddItem(chain[kDepth / 2], "fork", TVI_LAST, 0, 0, 0);
    EXPECT_TRUE(m_tree.ClickItem(hFork));
    std::vector<HTREEITEM> upper(chain.begin(), chain.begin() + kDepth / 2 + 1);
    std::vector<HTREEITEM> lower(chain.begin() + kDepth / 2 + 1, chain.end());
    EXPECT_EQ(CountShowing(upper, 4), kDepth / 2 + 1);
    EXPECT_EQ(CountShowing(lower, 0), kDepth - kDepth / 2 - 1);
}

// The emulated tree view takes time for every level above an inserted item, so a chain of a million items
// would take hours to build there. This window answers the requests of the walks for such a chain itself,
// item i being the only child of item i - 1; everything else goes on to the tree view.
class ChainTree {
public:
    ChainTree(HWND hwnd, int depth) : m_hwnd(hwnd), m_images(static_cast<size_t>(depth), 0) {
        s_pActive = this;
        m_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainTree::Proc)));
    }
    ~ChainTree() {
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_proc));
        s_pActive = nullptr;
    }
    ChainTree(const ChainTree&) = delete;
    ChainTree& operator=(const ChainTree&) = delete;

    HTREEITEM Item(int i) const { return reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(kFirst + i)); }
    int Depth() const { return static_cast<int>(m_images.size()); }
    int CountShowing(int nImage) const {
        return static_cast<int>(std::count(m_images.begin(), m_images.end(), nImage));
    }
    int m_nWrites = 0;

private:
    static constexpr uintptr_t kFirst = 0x01000000;

    // The index of a handle of the chain, or -1.
    int IndexOf(HTREEITEM hItem) const {
        uintptr_t value = reinterpret_cast<uintptr_t>(hItem);
        return value >= kFirst && value < kFirst + m_images.size() ? static_cast<int>(value - kFirst) : -1;
    }
    HTREEITEM ItemOrNull(int i) const { return i >= 0 && i < Depth() ? Item(i) : NULL; }

    LRESULT Answer(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
        case TVM_GETNEXTITEM: {
            int i = IndexOf(reinterpret_cast<HTREEITEM>(lp));
            switch (wp) {
            case TVGN_ROOT:
                return reinterpret_cast<LRESULT>(Item(0));
            case TVGN_PARENT:
                return reinterpret_cast<LRESULT>(i > 0 ? Item(i - 1) : NULL);
            case TVGN_CHILD:
                return reinterpret_cast<LRESULT>(i >= 0 ? ItemOrNull(i + 1) : NULL);
            default:
                return 0;
            }
        }
        case TVM_GETITEMA: {
            auto* item = reinterpret_cast<TVITEMA*>(lp);
            int i = IndexOf(item->hItem);
            if (i < 0)
                return FALSE;
            if (item->mask & TVIF_CHILDREN)
                item->cChildren = i + 1 < Depth() ? 1 : 0;
            if (item->mask & TVIF_IMAGE)
                item->iImage = m_images[static_cast<size_t>(i)];
            if (item->mask & TVIF_SELECTEDIMAGE)
                item->iSelectedImage = m_images[static_cast<size_t>(i)];
            return TRUE;
        }
        case TVM_SETITEMA: {
            auto* item = reinterpret_cast<const TVITEMA*>(lp);
            int i = IndexOf(item->hItem);
            if (i < 0 || item->mask != (TVIF_IMAGE | TVIF_SELECTEDIMAGE) ||
                item->iImage != item->iSelectedImage)
                return FALSE;
            m_images[static_cast<size_t>(i)] = item->iImage;
            ++m_nWrites;
            return TRUE;
        }
        default:
            return CallWindowProcA(m_proc, m_hwnd, msg, wp, lp);
        }
    }
    static LRESULT CALLBACK Proc(HWND, UINT msg, WPARAM wp, LPARAM lp) {
        return s_pActive->Answer(msg, wp, lp);
    }

    static inline ChainTree* s_pActive = nullptr;
    HWND m_hwnd;
    WNDPROC m_proc;
    std::vector<int> m_images;
};

TEST_F(DeepChain, AMillionLevelsCheckAndUncheckWithoutExhaustingTheStack) {
    ChainTree chain(m_tree.m_hWnd, 1000000);

    EXPECT_EQ(m_tree.CheckItem(chain.Item(0), true), 1);
    EXPECT_EQ(chain.CountShowing(2), chain.Depth());
    EXPECT_EQ(chain.m_nWrites, chain.Depth());

    EXPECT_EQ(m_tree.CheckItem(chain.Item(chain.Depth() - 1), false), 1);
    EXPECT_EQ(chain.CountShowing(0), chain.Depth());
    EXPECT_EQ(chain.m_nWrites, 2 * chain.Depth());

    EXPECT_TRUE(m_tree.ClickItem(chain.Item(chain.Depth() / 2)));
    EXPECT_EQ(chain.CountShowing(2), chain.Depth());
}

} // namespace
