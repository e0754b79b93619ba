// The walks over a chain of items far deeper than a walk on the call stack could follow.
#include "CheckHost.h"

#include <vector>

namespace {

class DeepChain : public CheckHost<COrnCheckTreeCtrl> {
protected:
    // A chain in the tree view: each item the only child of the one before.
    std::vector<HTREEITEM> MakeChain(int depth) {
        std::vector<HTREEITEM> chain;
        chain.reserve(static_cast<size_t>(depth));
        HTREEITEM hParent = TVI_ROOT;
        for (int i = 0; i < depth; ++i) {
            hParent = m_tree.AddItem(hParent, "x", TVI_LAST, 0, 0, i);
            chain.push_back(hParent);
        }
        return chain;
    }
    int CountShowing(const std::vector<HTREEITEM>& chain, int nImage) {
        int count = 0;
        for (HTREEITEM hItem : chain) {
            int nShown = -1, nSelected = -1;
            m_tree.GetItemImage(hItem, nShown, nSelected);
            count += nShown == nImage && nSelected == nImage;
        }
        return count;
    }
};

TEST_F(DeepChain, AMillionLevelsCheckAndUncheckWithoutExhaustingTheStack) {
    const int kDepth = 1000000;
    std::vector<HTREEITEM> chain = MakeChain(kDepth);
    ASSERT_NE(chain.back(), nullptr);

    EXPECT_EQ(m_tree.CheckItem(chain.front(), true), 1);
    EXPECT_EQ(CountShowing(chain, 2), kDepth);

    // The bottom item has no siblings at any level, so every ancestor follows it up to the top.
    EXPECT_EQ(m_tree.CheckItem(chain.back(), false), 1);
    EXPECT_EQ(CountShowing(chain, 0), kDepth);

    EXPECT_TRUE(m_tree.ClickItem(chain[kDepth / 2]));
    EXPECT_EQ(CountShowing(chain, 2), kDepth);
}

} // namespace
