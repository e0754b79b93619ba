// Single items: AddItem passes its arguments to the tree as one insert, selected image before image.
#include "TreeHost.h"

namespace {

using AddItemTest = TreeHostTest;

TEST_F(AddItemTest, InsertsOneItemWithItsTextImagesAndID) {
    HTREEITEM hParent = m_tree.AddItem(TVI_ROOT, "P", TVI_LAST, 0, 0, 1);
    HTREEITEM hFirst = m_tree.AddItem(hParent, "first", TVI_LAST, 0, 0, 2);
    HTREEITEM hItem = m_tree.AddItem(hParent, "A", TVI_LAST, 3, 2, 17);
    ASSERT_NE(nullptr, hItem);
    EXPECT_EQ(hParent, m_tree.GetParentItem(hItem));
    EXPECT_EQ(hItem, m_tree.GetNextSiblingItem(hFirst));
    EXPECT_EQ("A", std::string(m_tree.GetItemText(hItem)));
    int nImage = -1, nSelectedImage = -1;
    ASSERT_TRUE(m_tree.GetItemImage(hItem, nImage, nSelectedImage));
    EXPECT_EQ(2, nImage);
    EXPECT_EQ(3, nSelectedImage);
    EXPECT_EQ(17u, m_tree.GetItemData(hItem));

    HTREEITEM hB = m_tree.AddItem(hParent, "B", TVI_FIRST, 0, 0, 3);
    EXPECT_EQ(hB, m_tree.GetChildItem(hParent));
    EXPECT_TRUE(g_journal.empty()) << "inserting raises no event";
}

TEST_F(AddItemTest, ARefusedInsertGivesNull) {
    HTREEITEM hItem = m_tree.AddItem(TVI_ROOT, "a", TVI_LAST, 0, 0, 1);
    ASSERT_TRUE(m_tree.DeleteItem(hItem));
    EXPECT_EQ(nullptr, m_tree.AddItem(hItem, "orphan", TVI_LAST, 0, 0, 2)) << "a deleted parent";
    EXPECT_EQ(0u, m_tree.GetCount());
}

} // namespace
