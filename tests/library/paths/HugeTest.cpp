// Labels of a megabyte, and a million items side by side, through every operation that reads or walks the
// tree: nothing is cut, and every walk reaches the far end.
#include "PathsHost.h"
#include "TreeSoundness.h"

namespace {

using Strings = std::vector<std::string>;

constexpr int kMegabyte = 1 << 20;

class HugeLabels : public PathsHost {
protected:
    // A megabyte of text that differs in its last character.
    static std::string Label(char last) { return std::string(kMegabyte - 1, 'm') + last; }
};

TEST_F(HugeLabels, AreStoredReadResolvedAndImportedWhole) {
    const std::string big = Label('1'), big2 = Label('2');
    HTREEITEM hTop = m_tree.AddItem(TVI_ROOT, big.c_str(), TVI_LAST, 0, 0, 1);
    HTREEITEM hKid = m_tree.AddItem(hTop, big2.c_str(), TVI_LAST, 0, 0, 2);
    ASSERT_NE(hKid, nullptr);
    EXPECT_EQ(std::string(m_tree.GetItemText(hKid)), big2);

    CString strDir;
    m_tree.GetItemDir(strDir, hKid);
    EXPECT_EQ(std::string(strDir), big + "\\" + big2);
    EXPECT_EQ(m_tree.GetItemByDir(strDir), hKid);
    EXPECT_EQ(m_tree.GetItemByDir((big + "\\" + Label('3')).c_str()), nullptr);
    CStringArray components;
    m_tree.Explode(strDir, &components);
    EXPECT_EQ(ToVector(components), (Strings{big, big2}));
    CStringArray leaves;
    COrnTreeCtrl::GetLeafDirs(m_tree, big.c_str(), hTop, leaves);
    EXPECT_EQ(ToVector(leaves), Strings{std::string(strDir)});

    // The same path imported finds both items; one more megabyte component goes below them.
    CStringArray paths;
    paths.Add(strDir + "\\" + Label('3').c_str());
    m_tree.ImpByPaths(&paths, 0, false);
    EXPECT_EQ(m_tree.GetCount(), 3u);
    HTREEITEM hGrand = m_tree.GetChildItem(hKid);
    ASSERT_NE(hGrand, nullptr);
    EXPECT_EQ(std::string(m_tree.GetItemText(hGrand)), Label('3'));

    CStringArray records;
    HTREEITEM hRecord = m_tree.ImpByIds(FillArray(records, {"1", "2", "9", Label('4')}), false, 9);
    ASSERT_NE(hRecord, nullptr);
    EXPECT_EQ(m_tree.GetParentItem(hRecord), hKid);
    EXPECT_EQ(std::string(m_tree.GetItemText(hRecord)), Label('4'));
    EXPECT_EQ(FindTreeFault(m_tree), "");
}

TEST_F(HugeLabels, ShowAndEditWithoutHarm) {
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
    HTREEITEM hItem = m_tree.AddItem(TVI_ROOT, Label('1').c_str(), TVI_LAST, 0, 0, 1);
    m_tree.SelectItem(hItem);
    m_tree.SetFocus();
    m_tree.UpdateWindow();
    // The tree view has no key of its own for editing; the host starts the edit.
    m_tree.EditLabel(hItem);
    emu::TypeText("short");
    emu::PressKey(VK_RETURN);
    emu::PumpMessages(AfxPumpMessage);
    EXPECT_EQ(g_journal.back(), "OnEndLabelEdit");
    EXPECT_EQ(std::string(m_tree.GetItemText(hItem)), "short") << "the listener accepted the new text";
    EXPECT_EQ(FindTreeFault(m_tree), "");
}

// A million top-level children of one item, the last with its own child.
class MillionWide : public PathsHost {
protected:
    static constexpr int kWidth = 1000000;

    void SetUp() override {
        PathsHost::SetUp();
        m_hTop = m_tree.AddItem(TVI_ROOT, "top", TVI_LAST, 0, 0, 1);
        for (int i = 0; i < kWidth; ++i)
            m_hLast = m_tree.AddItem(m_hTop, ("c" + std::to_string(i)).c_str(), TVI_LAST, 0, 0, i + 2);
        m_hBelow = m_tree.AddItem(m_hLast, "below", TVI_LAST, 0, 0, kWidth + 2);
        ASSERT_NE(m_hBelow, nullptr);
    }
    HTREEITEM m_hTop = nullptr, m_hLast = nullptr, m_hBelow = nullptr;
};

TEST_F(MillionWide, EveryWalkReachesTheLastChild) {
    const std::string lastPath = "top\\c" + std::to_string(kWidth - 1);
    EXPECT_EQ(m_tree.FindHandleByID(kWidth + 1, m_hTop), m_hLast);
    EXPECT_EQ(m_tree.FindHandleByID(-5, m_hTop), nullptr);
    CString strDir;
    m_tree.GetItemDir(strDir, m_hBelow);
    EXPECT_EQ(std::string(strDir), lastPath + "\\below");
    EXPECT_EQ(m_tree.GetItemByDir(strDir), m_hBelow);

    CStringArray leaves;
    COrnTreeCtrl::GetLeafDirs(m_tree, "top", m_hTop, leaves);
    ASSERT_EQ(leaves.GetSize(), kWidth);
    EXPECT_EQ(std::string(leaves[0]), "top\\c0");
    EXPECT_EQ(std::string(leaves[kWidth - 1]), lastPath + "\\below");

    m_tree.ExpandAll(m_hTop);
    EXPECT_TRUE(IsExpanded(m_hLast));
    EXPECT_TRUE(m_tree.ExpandById(kWidth + 2));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hBelow);

    CStringArray records;
    HTREEITEM hNew = m_tree.ImpByIds(
        FillArray(records, {"0", std::to_string(kWidth + 1), std::to_string(kWidth + 3), "new"}), false,
        kWidth + 3);
    ASSERT_NE(hNew, nullptr);
    EXPECT_EQ(m_tree.GetParentItem(hNew), m_hLast);
    CStringArray paths;
    paths.Add((lastPath + "\\below\\deeper").c_str());
    m_tree.ImpByPaths(&paths, 0, false);
    EXPECT_EQ(m_tree.GetCount(), static_cast<UINT>(kWidth + 4));
    EXPECT_EQ(std::string(m_tree.GetItemText(m_tree.GetChildItem(m_hBelow))), "deeper");
    EXPECT_EQ(FindTreeFault(m_tree), "");
}

TEST_F(MillionWide, ACheckTreeSpreadsOverAllChildren) {
    COrnCheckTreeCtrl check;
    HWND hWnd = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, m_parent.m_hWnd,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(check.SubclassWindow(hWnd));
    HTREEITEM hTop = check.AddItem(TVI_ROOT, "top", TVI_LAST, 0, 0, 1);
    HTREEITEM hFirst = nullptr, hLast = nullptr;
    for (int i = 0; i < kWidth; ++i) {
        hLast = check.AddItem(hTop, "c", TVI_LAST, 0, 0, i + 2);
        hFirst = hFirst != nullptr ? hFirst : hLast;
    }
    auto image = [&](HTREEITEM hItem) {
        int nImage = -1, nSelected = -1;
        check.GetItemImage(hItem, nImage, nSelected);
        return nImage;
    };
    // The last child checked alone: the walk reads all its siblings before making the top partly checked.
    EXPECT_EQ(check.CheckItem(hLast, true), 1);
    EXPECT_EQ(image(hTop), 4);
    EXPECT_EQ(check.CheckItem(hTop, true), 1);
    EXPECT_EQ(image(hFirst), 2);
    EXPECT_EQ(image(hLast), 2);
    EXPECT_EQ(check.CheckItem(hFirst, false), 1);
    EXPECT_EQ(image(hTop), 4);
    EXPECT_EQ(check.CheckItem(hFirst, true), 1);
    EXPECT_EQ(image(hTop), 2) << "every child shows the checked box again";
    EXPECT_EQ(FindTreeFault(check), "");
}

} // namespace
