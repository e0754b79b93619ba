// Handles that are not items of the tree given to every public operation of the three controls: items of
// another tree, deleted items and made-up values. Each call fails as its result says and changes nothing.
#include "PathsHost.h"
#include "TreeSoundness.h"

namespace {

using Strings = std::vector<std::string>;

// The check tree's protected walk, reached as a derived class reaches it.
class CCheckTree : public COrnCheckTreeCtrl {
public:
    using COrnCheckTreeCtrl::TravelSiblingAndParent;
};

class BadHandles : public PathsHost {
protected:
    void SetUp() override {
        PathsHost::SetUp();
        m_items = Build({{0, "Top", 1}, {1, "Mid", 2}, {2, "Leaf", 3}, {1, "Mid2", 4}, {0, "Top2", 5}});
        ASSERT_TRUE(m_check.Create(kTreeStyle, CRect(320, 10, 390, 350), &m_parent, kTreeID + 1));
        HTREEITEM hRoot = m_check.AddItem(TVI_ROOT, "CRoot", TVI_LAST, 0, 0, 10);
        m_check.AddItem(hRoot, "CKid", TVI_LAST, 0, 0, 11);
        m_check.AddItem(hRoot, "CKid2", TVI_LAST, 0, 0, 12);
        m_check.SetListener(&m_listener);

        // An item of a third tree, one deleted from this tree, and values no tree ever gave.
        ASSERT_TRUE(m_other.Create(kTreeStyle, CRect(0, 0, 50, 50), &m_parent, kTreeID + 2));
        m_bad.push_back(m_other.AddItem(TVI_ROOT, "Other", TVI_LAST, 0, 0, 1));
        HTREEITEM hGone = m_tree.AddItem(TVI_ROOT, "Gone", TVI_LAST, 0, 0, 99);
        ASSERT_TRUE(m_tree.DeleteItem(hGone));
        m_bad.push_back(hGone);
        for (UINT_PTR value : {UINT_PTR{1}, UINT_PTR{0x1234}, UINT_PTR{0x7FFFFFFF}, UINT_PTR{0x80000000},
                               ~UINT_PTR{0}, reinterpret_cast<UINT_PTR>(m_bad[0]) + 1})
            m_bad.push_back(reinterpret_cast<HTREEITEM>(value));
        g_journal.clear();
    }
    // The trees as rows, to show that nothing changed.
    Strings Snapshot() {
        Strings rows = Format(ReadTree(m_tree));
        for (const std::string& row : Format(ReadTree(m_check)))
            rows.push_back("check " + row);
        for (HTREEITEM hItem : {m_tree.GetSelectedItem(), m_check.GetSelectedItem()})
            rows.push_back(hItem != NULL ? std::string(m_tree.GetItemText(hItem)) : "no selection");
        return rows;
    }
    std::vector<HTREEITEM> m_items;
    std::vector<HTREEITEM> m_bad;
    CCheckTree m_check;
    COrnTreeCtrl m_other;
};

TEST_F(BadHandles, EveryOperationFailsAndChangesNothing) {
    const Strings before = Snapshot();
    for (HTREEITEM hBad : m_bad) {
        SCOPED_TRACE(testing::Message() << "handle " << reinterpret_cast<UINT_PTR>(hBad));
        EXPECT_EQ(m_tree.AddItem(hBad, "new", TVI_LAST, 0, 0, 7), nullptr);
        EXPECT_EQ(m_tree.FindHandleByID(0, hBad), nullptr);
        EXPECT_EQ(m_tree.FindHandleByID(1, hBad), nullptr);
        m_tree.ExpandAll(hBad);
        CString strDir = "kept";
        m_tree.GetItemDir(strDir, hBad);
        EXPECT_EQ(std::string(strDir), "kept");
        CStringArray arrDirs;
        COrnTreeCtrl::GetLeafDirs(m_tree, "prefix", hBad, arrDirs);
        EXPECT_EQ(arrDirs.GetSize(), 0);
        for (const char* pszPath : {"", "\\", "Top", "Other"})
            EXPECT_EQ(m_tree.CheckFz(hBad, pszPath), nullptr) << pszPath;
        m_tree.UpdateDragDropData(false, &m_tree, hBad, m_items[0]);
        m_tree.UpdateDragDropData(true, &m_tree, m_items[1], hBad);
        EXPECT_EQ(m_check.CheckItem(hBad, true), 0);
        EXPECT_EQ(m_check.CheckItem(hBad, false), 0);
        EXPECT_FALSE(m_check.ClickItem(hBad));
        m_check.TravelChild(hBad, 2);
        m_check.TravelSiblingAndParent(hBad, 2);
    }
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(g_journal, Journal{}) << "no expansion, selection or drop was reported";
    EXPECT_EQ(FindTreeFault(m_tree), "");
    EXPECT_EQ(FindTreeFault(m_check), "");
}

TEST_F(BadHandles, AnItemOfAnotherTreeIsNoItemOfThisOne) {
    // The other tree's item has the same ID and text as this tree's first item.
    HTREEITEM hForeign = m_other.AddItem(TVI_ROOT, "Top", TVI_LAST, 0, 0, 1);
    EXPECT_EQ(m_tree.FindHandleByID(1, hForeign), nullptr);
    EXPECT_EQ(m_tree.CheckFz(hForeign, "Top"), nullptr);
    m_tree.UpdateDragDropData(false, &m_other, hForeign, m_items[2]);
    EXPECT_EQ(g_journal, (Journal{"OnDropMove"})) << "the source item belongs to the source tree";
    g_journal.clear();
    m_tree.UpdateDragDropData(false, &m_tree, hForeign, m_items[2]);
    EXPECT_EQ(g_journal, Journal{}) << "but not to this one";
}

TEST_F(BadHandles, TheSpecialInsertPositionsAreNoItems) {
    for (HTREEITEM hSpecial : {TVI_FIRST, TVI_LAST, TVI_SORT}) {
        EXPECT_EQ(m_tree.FindHandleByID(0, hSpecial), nullptr);
        EXPECT_EQ(m_tree.CheckFz(hSpecial, ""), nullptr);
        EXPECT_EQ(m_check.CheckItem(hSpecial, true), 0);
        EXPECT_FALSE(m_check.ClickItem(hSpecial));
        CString strDir = "kept";
        m_tree.GetItemDir(strDir, hSpecial);
        EXPECT_EQ(std::string(strDir), "kept");
    }
}

TEST_F(BadHandles, NoItemIsNeverCheckedEvenInAnEmptyTree) {
    // The first top-level item of an empty tree is no item either.
    ASSERT_TRUE(m_check.DeleteAllItems());
    EXPECT_EQ(m_check.CheckItem(nullptr, true), 0);
    EXPECT_EQ(m_check.CheckItem(nullptr, false), 0);
    EXPECT_FALSE(m_check.ClickItem(nullptr));
    EXPECT_EQ(m_check.GetCount(), 0u);
}

} // namespace
