// Item paths: from an item to its path and back, cutting a path into components, and the paths of leaves.
#include "PathsHost.h"

namespace {

using Strings = std::vector<std::string>;

class ItemDir : public PathsHost {};

TEST_F(ItemDir, JoinsTheTextsFromTheTopDownAndReplacesTheOutput) {
    std::vector<HTREEITEM> h =
        Build({{0, "A", 1}, {1, "B", 2}, {2, "C", 3}, {1, "", 4}, {2, "C", 5}, {0, "X", 6}});
    struct Case {
        HTREEITEM item;
        const char* expected;
    } cases[] = {{h[0], "A"}, {h[2], "A\\B\\C"}, {h[4], "A\\\\C"}, {h[5], "X"}, {h[3], "A\\"}};
    for (const Case& c : cases) {
        CString strDir = "previous content";
        m_tree.GetItemDir(strDir, c.item);
        EXPECT_STREQ(strDir, c.expected);
    }
}

TEST_F(ItemDir, NoItemMeansTheSelectedItemAndWithoutOneLeavesTheOutputAlone) {
    std::vector<HTREEITEM> h = Build({{0, "A", 1}, {1, "B", 2}, {2, "C", 3}});
    CString strDir = "unchanged";
    m_tree.GetItemDir(strDir, nullptr);
    EXPECT_STREQ(strDir, "unchanged");

    ASSERT_TRUE(m_tree.SelectItem(h[2]));
    m_tree.GetItemDir(strDir, nullptr);
    EXPECT_STREQ(strDir, "A\\B\\C");
}

class ItemByDir : public PathsHost {
protected:
    // A > (B, B > C, b, "B ", "" > C), then X > Y, and a chain Q > Q > Q > Z in A's branch.
    void SetUp() override {
        PathsHost::SetUp();
        m_items = Build({{0, "A", 1},
                         {1, "B", 2},
                         {1, "B", 3},
                         {2, "C", 4},
                         {1, "b", 5},
                         {1, "B ", 6},
                         {1, "", 7},
                         {2, "C", 8},
                         {1, "A", 9},
                         {2, "A", 10},
                         {3, "Z", 11},
                         {0, "X", 12},
                         {1, "Y", 13}});
    }
    std::vector<HTREEITEM> m_items;
};

// The paths' lookups in order of the table: which item each path names (its ID), or 0 for none.
TEST_F(ItemByDir, FindsTheItemAtAPathByTheRulesOfItsComponents) {
    struct Case {
        const char* path;
        LONG expectedID;
    } cases[] = {
        {"A", 1},
        {"A\\B", 2},        // the first of two equal siblings
        {"A\\B\\C", 0},     // only the first matching sibling is followed, and it has no children
        {"A\\b", 5},        // case-sensitive
        {"A\\B ", 6},       // blanks count
        {"A\\B\\", 2},      // one trailing backslash is no component
        {"A\\B\\\\", 0},    // two make an empty one
        {"\\A\\B", 0},      // the level below A is compared with A again
        {"\\A\\A\\Z", 11},  // ... so a leading backslash costs one level
        {"A\\A\\Z", 0},     // A > A has no child Z
        {"A\\A\\A\\Z", 11}, //
        {"A\\\\", 7},       // the empty text, reached by an empty component
        {"A\\\\C", 0},      // but not below it: the rest begins with a backslash and loses it
        {"X", 0},           // only the first top-level item's branch
        {"X\\Y", 0},        //
        {"", 0},            //
        {"a", 0},           //
        {"A\\D", 0},        //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        HTREEITEM hItem = m_tree.GetItemByDir(c.path);
        EXPECT_EQ(hItem == nullptr ? 0 : static_cast<LONG>(m_tree.GetItemData(hItem)), c.expectedID);
    }
}

// The start item stands for the first component, wherever it is.
TEST_F(ItemByDir, LooksUpFromAnyStartItem) {
    EXPECT_EQ(m_tree.CheckFz(m_items[11], "X\\Y"), m_items[12]);
    EXPECT_EQ(m_tree.CheckFz(m_items[2], "B\\C"), m_items[3]);
    EXPECT_EQ(m_tree.CheckFz(nullptr, ""), nullptr);
}

TEST_F(ItemByDir, AnEmptyTreeFindsNothing) {
    m_tree.DeleteAllItems();
    EXPECT_EQ(m_tree.GetItemByDir("A"), nullptr);
    EXPECT_EQ(m_tree.GetItemByDir(""), nullptr);
}

class Explode : public PathsHost {
protected:
    Strings Components(const char* path) {
        CString strPath = path;
        CStringArray arr;
        arr.Add("left over");
        m_tree.Explode(strPath, &arr);
        EXPECT_STREQ(strPath, path) << "the path is never changed";
        return ToVector(arr);
    }
};

TEST_F(Explode, CutsEveryFormOfPathAsTheTableSays) {
    struct Case {
        const char* path;
        Strings components;
    } cases[] = {
        {"A\\B\\C", {"A", "B", "C"}},
        {"A", {"A"}},
        {"\\A\\B", {"A", "B"}},
        {"\\\\\\A\\B", {"A", "B"}},
        {"A\\B\\", {"A", "B"}},
        {"A\\B\\\\", {"A", "B", ""}},
        {"A\\\\B", {"A", "", "B"}},
        {"", {""}},
        {"\\", {""}},
        {"\\\\\\", {""}},
        {"\\A\\\\", {"A", ""}},
        {" A \\ b", {" A ", " b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Components(c.path), c.components) << "path " << c.path;
    CString strPath = "A";
    m_tree.Explode(strPath, nullptr);
}

// In a double-byte code page a character's trail byte may be 0x5C, the backslash's code. Neither the
// search for separators nor the test for a closing backslash may take it for one; in a single-byte code
// page the same bytes are a character and a backslash.
class DoubleByte : public PathsHost {
protected:
    // 0x81 0x5C is one character in code page 936.
    static constexpr const char* kWide = "\x81\\";
};

TEST_F(DoubleByte, ExplodeKeepsACharacterWhoseTrailByteIsABackslash) {
    struct Case {
        UINT codePage;
        std::string path;
        Strings components;
    } cases[] = {
        {936, std::string("A\\") + kWide, {"A", kWide}},
        {936, std::string(kWide) + "\\B", {kWide, "B"}},
        {936, std::string("A\\") + kWide + "\\", {"A", kWide}},
        {936, kWide, {kWide}},
        {1252, std::string("A\\") + kWide, {"A", "\x81"}},
        {1252, std::string(kWide) + "\\B", {"\x81", "", "B"}},
        {1252, kWide, {"\x81"}},
    };
    for (const Case& c : cases) {
        emu::SetSystemCodePage(c.codePage);
        CString strPath = c.path.c_str();
        CStringArray arr;
        m_tree.Explode(strPath, &arr);
        EXPECT_EQ(ToVector(arr), c.components)
            << "code page " << c.codePage << ", case of " << c.path.size() << " bytes";
    }
}

TEST_F(DoubleByte, PathsEndingInSuchACharacterRoundTrip) {
    emu::SetSystemCodePage(936);
    std::string path = std::string("A\\") + kWide;
    CStringArray paths;
    m_tree.ImpByPaths(FillArray(paths, {path, path + "\\B"}), 0, true);
    EXPECT_EQ(Format(ReadTree(m_tree)),
              (Strings{"A 0/0 #0", "  " + std::string(kWide) + " 0/0 #0", "    B 0/0 #0"}));

    HTREEITEM hItem = m_tree.GetItemByDir(path.c_str());
    ASSERT_NE(hItem, nullptr);
    EXPECT_STREQ(m_tree.GetItemText(hItem), kWide);
    CString strDir;
    m_tree.GetItemDir(strDir, hItem);
    EXPECT_EQ(std::string(strDir), path);
    CStringArray dirs;
    COrnTreeCtrl::GetLeafDirs(m_tree, "A", m_tree.GetRootItem(), dirs);
    EXPECT_EQ(ToVector(dirs), Strings{path + "\\B"});
}

class LeafDirs : public PathsHost {
protected:
    // A > (B, C > (D, E)); X.
    void SetUp() override {
        PathsHost::SetUp();
        m_items = Build({{0, "A", 1}, {1, "B", 2}, {1, "C", 3}, {2, "D", 4}, {2, "E", 5}, {0, "X", 6}});
        m_items.push_back(nullptr);
    }
    std::vector<HTREEITEM> m_items;
};

TEST_F(LeafDirs, AppendsThePathsOfAllLeavesInPreOrder) {
    struct Case {
        const char* prefix;
        size_t item;
        Strings appended;
    } cases[] = {
        {"A", 0, {"A\\B", "A\\C\\D", "A\\C\\E"}},
        {"", 0, {"\\B", "\\C\\D", "\\C\\E"}},
        {"X", 1, {"X"}},
        {"", 1, {""}},
        {"C", 2, {"C\\D", "C\\E"}},
        {"A", 6, {}}, // no item
    };
    for (const Case& c : cases) {
        CStringArray dirs;
        dirs.Add("kept");
        COrnTreeCtrl::GetLeafDirs(m_tree, c.prefix, m_items[c.item], dirs);
        Strings expected{"kept"};
        expected.insert(expected.end(), c.appended.begin(), c.appended.end());
        EXPECT_EQ(ToVector(dirs), expected)
            << "prefix '" << c.prefix << "' at " << g_names.Name(m_items[c.item]);
    }
}

// The operation reads any tree control, not only the library's own.
TEST_F(LeafDirs, ReadsAPlainTreeControl) {
    CTreeCtrl plain;
    ASSERT_TRUE(plain.Create(kTreeStyle, CRect(0, 0, 100, 100), &m_parent, kTreeID + 1));
    HTREEITEM hTop = plain.InsertItem("T");
    HTREEITEM hMid = plain.InsertItem("M", hTop);
    plain.InsertItem("L1", hMid);
    plain.InsertItem("L2", hTop);
    CStringArray dirs;
    COrnTreeCtrl::GetLeafDirs(plain, "T", hTop, dirs);
    EXPECT_EQ(ToVector(dirs), (Strings{"T\\M\\L1", "T\\L2"}));
}

} // namespace
