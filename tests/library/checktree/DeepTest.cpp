// The walks over a chain of items far deeper than a walk on the call stack could follow.
#include "CheckHost.h"

#include <algorithm>
#include <vector>

namespace {

class DeepChain : public CheckHost<COrnCheckTreeCtrl> {};

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
